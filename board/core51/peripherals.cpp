// Timers 0 and 1, the serial port, the external interrupt pins and the interrupt system,
// advanced machine cycle by machine cycle as the instructions take them.
#include "cpu51.h"

#include <tuple>

namespace core51 {

namespace {

// TCON bits.
constexpr std::uint8_t IT0 = 0x01, IE0 = 0x02, IT1 = 0x04, IE1 = 0x08, TR0 = 0x10, TF0 = 0x20,
                       TR1 = 0x40, TF1 = 0x80;
// SCON bits.
constexpr std::uint8_t RI = 0x01, TI = 0x02, RB8 = 0x04, TB8 = 0x08, REN = 0x10, SM2 = 0x20;
// Port 3 pins.
constexpr std::uint8_t PIN_INT0 = 0x04, PIN_INT1 = 0x08, PIN_T0 = 0x10, PIN_T1 = 0x20;

// Counts n into a timer of the given mode (0 13-bit, 1 16-bit, 2 8-bit auto-reload);
// answers the number of overflows.
int count(std::uint8_t& tl, std::uint8_t& th, int mode, int n) {
    int overflows = 0;
    if (mode == 1) {
        unsigned v = (static_cast<unsigned>(th) << 8 | tl) + static_cast<unsigned>(n);
        overflows = static_cast<int>(v >> 16);
        tl = static_cast<std::uint8_t>(v);
        th = static_cast<std::uint8_t>(v >> 8);
    } else if (mode == 0) {
        // TL's low five bits prescale TH: 13 bits in all.
        unsigned v = ((static_cast<unsigned>(th) << 5) | (tl & 0x1F)) + static_cast<unsigned>(n);
        overflows = static_cast<int>(v >> 13);
        tl = static_cast<std::uint8_t>((tl & 0xE0) | (v & 0x1F));
        th = static_cast<std::uint8_t>(v >> 5);
    } else {
        while (n > 0) {
            int room = 256 - tl;
            if (n < room) {
                tl = static_cast<std::uint8_t>(tl + n);
                break;
            }
            n -= room;
            tl = th;
            ++overflows;
        }
    }
    return overflows;
}

} // namespace

void Cpu51::setTcon(std::uint8_t bits) {
    sfr_[TCON - 0x80] |= bits;
    risenTcon_ |= bits;
}

void Cpu51::setScon(std::uint8_t bits) {
    sfr_[SCON - 0x80] |= bits;
    risenScon_ |= bits;
}

void Cpu51::updateLevelInterrupts() {
    std::uint8_t tcon = sfr_[TCON - 0x80];
    auto p3 = static_cast<std::uint8_t>(pins_[3] & sfr_[P3 - 0x80]);
    // A level-triggered request is the pin itself, low for as long as it is held.
    for (auto [it, flag, pin] : {std::tuple{IT0, IE0, PIN_INT0}, std::tuple{IT1, IE1, PIN_INT1}}) {
        if ((tcon & it) == 0) {
            if ((p3 & pin) == 0) {
                setTcon(flag);
            } else {
                sfr_[TCON - 0x80] &= static_cast<std::uint8_t>(~flag);
            }
        }
    }
}

void Cpu51::setPortPins(int port, std::uint8_t levels) {
    if (port < 0 || port > 3) {
        return;
    }
    std::uint8_t before = static_cast<std::uint8_t>(pins_[port] & sfr_[P3 - 0x80]);
    pins_[static_cast<std::size_t>(port)] = levels;
    if (port != 3) {
        return;
    }
    std::uint8_t after = static_cast<std::uint8_t>(levels & sfr_[P3 - 0x80]);
    auto fell = static_cast<std::uint8_t>(before & ~after);
    std::uint8_t tcon = sfr_[TCON - 0x80];
    if ((fell & PIN_INT0) != 0 && (tcon & IT0) != 0) {
        setTcon(IE0);
    }
    if ((fell & PIN_INT1) != 0 && (tcon & IT1) != 0) {
        setTcon(IE1);
    }
    t0Edges_ += (fell & PIN_T0) != 0 ? 1 : 0;
    t1Edges_ += (fell & PIN_T1) != 0 ? 1 : 0;
    updateLevelInterrupts();
}

void Cpu51::receiveSerial(std::uint8_t byte, bool ninthBit) {
    rxQueue_.emplace_back(byte, ninthBit);
}

void Cpu51::startTransmit(std::uint8_t byte) {
    int mode = sfr_[SCON - 0x80] >> 6;
    txByte_ = byte;
    txNinth_ = mode >= 2 ? (sfr_[SCON - 0x80] & TB8) != 0 : true;
    // TI comes at the end of the eighth bit in mode 0, at the stop bit in the others.
    txBitsLeft_ = mode == 0 ? 8 : mode == 1 ? 9 : 10;
}

int Cpu51::tickTimers(int n) {
    std::uint8_t tcon = sfr_[TCON - 0x80];
    std::uint8_t tmod = sfr_[TMOD - 0x80];
    std::uint8_t p3 = static_cast<std::uint8_t>(pins_[3] & sfr_[P3 - 0x80]);
    auto gateOpen = [&](int shift, std::uint8_t pin) {
        return ((tmod >> shift) & 0x08) == 0 || (p3 & pin) != 0;
    };
    int mode0 = tmod & 3;
    int mode1 = (tmod >> 4) & 3;
    std::uint8_t& tl0 = sfr_[TL0 - 0x80];
    std::uint8_t& th0 = sfr_[TH0 - 0x80];
    std::uint8_t& tl1 = sfr_[TL1 - 0x80];
    std::uint8_t& th1 = sfr_[TH1 - 0x80];

    if ((tcon & TR0) != 0 && gateOpen(0, PIN_INT0)) {
        int pulses = (tmod & 0x04) != 0 ? t0Edges_ : n;
        int overflows = 0;
        if (mode0 == 3) {
            // Mode 3: TL0 is an 8-bit counter of its own.
            unsigned v = tl0 + static_cast<unsigned>(pulses);
            overflows = static_cast<int>(v >> 8);
            tl0 = static_cast<std::uint8_t>(v);
        } else {
            overflows = count(tl0, th0, mode0, pulses);
        }
        if (overflows > 0) {
            setTcon(TF0);
        }
    }
    t0Edges_ = 0;
    if (mode0 == 3 && (tcon & TR1) != 0) {
        // In mode 3 TH0 is an 8-bit timer that TR1 runs and that sets TF1.
        unsigned v = th0 + static_cast<unsigned>(n);
        th0 = static_cast<std::uint8_t>(v);
        if ((v >> 8) != 0) {
            setTcon(TF1);
        }
    }
    int timer1Overflows = 0;
    // Timer 1 in mode 3 holds; with timer 0 in mode 3 it runs without TR1 and without TF1.
    bool run1 = mode0 == 3 ? mode1 != 3 : (tcon & TR1) != 0 && mode1 != 3;
    if (run1 && gateOpen(4, PIN_INT1)) {
        int pulses = (tmod & 0x40) != 0 ? t1Edges_ : n;
        timer1Overflows = count(tl1, th1, mode1, pulses);
        if (timer1Overflows > 0 && mode0 != 3) {
            setTcon(TF1);
        }
    }
    t1Edges_ = 0;
    return timer1Overflows;
}

void Cpu51::serialBitTime() {
    if (txBitsLeft_ > 0 && --txBitsLeft_ == 0) {
        setScon(TI);
        board_.serialSent(txByte_, txNinth_, cycles);
    }
    std::uint8_t scon = sfr_[SCON - 0x80];
    int mode = scon >> 6;
    if (rxBitsLeft_ > 0 && --rxBitsLeft_ == 0) {
        if (mode0Receiving_) {
            mode0Receiving_ = false;
            sbufIn_ = board_.serialShiftIn();
            setScon(RI);
        } else if ((scon & REN) != 0 && (scon & RI) == 0) {
            // With SM2 set only a frame whose ninth bit (in mode 1 the stop bit) is 1 counts.
            bool ninth = mode == 1 ? true : rxNinth_;
            if ((scon & SM2) == 0 || ninth) {
                sbufIn_ = rxByte_;
                sfr_[SCON - 0x80] = static_cast<std::uint8_t>(ninth ? scon | RB8 : scon & ~RB8);
                setScon(RI);
            }
        }
    }
    if (rxBitsLeft_ == 0 && !rxQueue_.empty() && mode != 0) {
        rxByte_ = rxQueue_.front().first;
        rxNinth_ = rxQueue_.front().second;
        rxQueue_.pop_front();
        rxBitsLeft_ = mode == 1 ? 10 : 11; // RI at the end of the frame
    }
}

void Cpu51::tickSerial(int machineCycles, int timer1Overflows) {
    if (txBitsLeft_ == 0 && rxBitsLeft_ == 0 && rxQueue_.empty()) {
        return;
    }
    std::uint8_t scon = sfr_[SCON - 0x80];
    int mode = scon >> 6;
    bool smod = (sfr_[PCON - 0x80] & 0x80) != 0;
    int period = 0;
    // The bit clock: oscillator periods in modes 0 and 2, timer 1 overflows in modes 1 and 3.
    if (mode == 0) {
        bitClock_ += 12 * machineCycles;
        period = 12;
    } else if (mode == 2) {
        bitClock_ += 12 * machineCycles;
        period = smod ? 32 : 64;
    } else {
        bitClock_ += timer1Overflows;
        period = smod ? 16 : 32;
    }
    while (bitClock_ >= period) {
        bitClock_ -= period;
        serialBitTime();
    }
}

void Cpu51::tick(int machineCycles) {
    cycles += static_cast<std::uint64_t>(machineCycles);
    if (!peripheralsActive()) {
        return; // nothing runs but the CPU
    }
    int overflows = tickTimers(machineCycles);
    tickSerial(machineCycles, overflows);
}

bool Cpu51::interruptPending(int& address, bool& high) const {
    std::uint8_t ie = sfr_[IE - 0x80];
    if ((ie & 0x80) == 0) {
        return false;
    }
    const bool requested[5] = {
        (polledTcon_ & IE0) != 0 && (ie & 0x01) != 0,
        (polledTcon_ & TF0) != 0 && (ie & 0x02) != 0,
        (polledTcon_ & IE1) != 0 && (ie & 0x04) != 0,
        (polledTcon_ & TF1) != 0 && (ie & 0x08) != 0,
        (polledScon_ & (RI | TI)) != 0 && (ie & 0x10) != 0,
    };
    std::uint8_t ip = sfr_[IP - 0x80];
    // A high-priority request interrupts anything but a high-priority handler; a low one
    // only the main program. Within a level the polling order decides.
    for (int level = 1; level >= 0; --level) {
        if ((inService_ & 2) != 0 || (level == 0 && inService_ != 0)) {
            continue;
        }
        for (int source = 0; source < 5; ++source) {
            if (requested[source] && (((ip >> source) & 1) != 0) == (level == 1)) {
                address = 0x03 + 8 * source;
                high = level == 1;
                return true;
            }
        }
    }
    return false;
}

void Cpu51::vector(int address, bool high) {
    push(static_cast<std::uint8_t>(pc & 0xFF));
    push(static_cast<std::uint8_t>(pc >> 8));
    pc = static_cast<std::uint16_t>(address);
    inService_ |= high ? 2 : 1;
    std::uint8_t& tcon = sfr_[TCON - 0x80];
    // Timer flags, and the flags of edge-triggered external interrupts, clear on vectoring.
    if (address == 0x0B) {
        tcon &= static_cast<std::uint8_t>(~TF0);
    } else if (address == 0x1B) {
        tcon &= static_cast<std::uint8_t>(~TF1);
    } else if (address == 0x03 && (tcon & IT0) != 0) {
        tcon &= static_cast<std::uint8_t>(~IE0);
    } else if (address == 0x13 && (tcon & IT1) != 0) {
        tcon &= static_cast<std::uint8_t>(~IE1);
    }
    polledTcon_ = polledScon_ = 0;
}

} // namespace core51
