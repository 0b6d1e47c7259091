// An MCS-51 core of the original 8051: 128 bytes of internal RAM, the 21 SFRs of the standard
// map, timers 0 and 1, the serial port, five interrupt sources on two priority levels, ports
// and PCON's idle and power-down. Code and external data belong to the board around it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>

namespace core51 {

// SFR addresses.
enum Sfr : std::uint8_t {
    P0 = 0x80,
    SP = 0x81,
    DPL = 0x82,
    DPH = 0x83,
    PCON = 0x87,
    TCON = 0x88,
    TMOD = 0x89,
    TL0 = 0x8A,
    TL1 = 0x8B,
    TH0 = 0x8C,
    TH1 = 0x8D,
    P1 = 0x90,
    SCON = 0x98,
    SBUF = 0x99,
    P2 = 0xA0,
    IE = 0xA8,
    P3 = 0xB0,
    IP = 0xB8,
    PSW = 0xD0,
    ACC = 0xE0,
    B = 0xF0,
};

// PSW bits.
constexpr std::uint8_t PSW_CY = 0x80, PSW_AC = 0x40, PSW_OV = 0x04, PSW_P = 0x01;

// What the board supplies: external data memory, the serial line and the port pins' effects.
class Board51 {
public:
    virtual ~Board51() = default;
    virtual std::uint8_t readExternal(std::uint16_t /*address*/) { return 0xFF; }
    virtual void writeExternal(std::uint16_t /*address*/, std::uint8_t /*value*/) {}
    // A byte the serial port has sent, when its last data bit has gone out (cycle: machine
    // cycles since reset).
    virtual void serialSent(std::uint8_t /*byte*/, bool /*ninthBit*/, std::uint64_t /*cycle*/) {}
    // Mode 0 reception shifts in eight bits from the board.
    virtual std::uint8_t serialShiftIn() { return 0xFF; }
    virtual void portLatchWritten(int /*port*/, std::uint8_t /*latch*/) {}
};

class Cpu51 {
public:
    // code: the 64 KB the CPU fetches from, as the board maps it.
    Cpu51(const std::uint8_t* code, Board51& board);

    void reset();
    // Executes one instruction, or one machine cycle of idle, or an interrupt's vectoring
    // followed by the handler's first instruction; answers the machine cycles taken.
    int step();

    // The board drives the pins: external levels of a port (the pin reads latch AND level).
    void setPortPins(int port, std::uint8_t levels);
    // A byte arriving on RXD, its start bit beginning now (or after the bytes before it).
    void receiveSerial(std::uint8_t byte, bool ninthBit = true);

    // State, for traces, tests and the board.
    std::uint16_t pc = 0;
    std::uint64_t cycles = 0;
    std::uint64_t instructions = 0;
    std::array<std::uint8_t, 128> iram{};
    std::uint8_t sfr(std::uint8_t address) const { return sfr_[address - 0x80U]; }
    void setSfr(std::uint8_t address, std::uint8_t value) { writeDirect(address, value); }
    std::uint8_t reg(int n) const { return iram[(sfr_[PSW - 0x80] & 0x18) + n]; }
    std::uint16_t dptr() const { return static_cast<std::uint16_t>(sfr(DPH) << 8 | sfr(DPL)); }
    bool idle() const { return (sfr(PCON) & 1) != 0; }
    bool poweredDown() const { return (sfr(PCON) & 2) != 0; }
    std::uint8_t receiveBuffer() const { return sbufIn_; }
    int interruptLevelsActive() const { return inService_; }

private:
    // Memory of the CPU.
    // Internal RAM is the common case and stays inline; SFRs take the long way.
    std::uint8_t readDirect(std::uint8_t a) { return a < 0x80 ? iram[a] : readSfr(a); }
    std::uint8_t readLatch(std::uint8_t a);
    void writeDirect(std::uint8_t a, std::uint8_t v) {
        if (a < 0x80) {
            iram[a] = v;
        } else {
            writeSfr(a, v);
        }
    }
    std::uint8_t readSfr(std::uint8_t a);
    void writeSfr(std::uint8_t a, std::uint8_t v);
    std::uint8_t readIndirect(std::uint8_t a) const { return a < 0x80 ? iram[a] : 0xFF; }
    void writeIndirect(std::uint8_t a, std::uint8_t v) {
        if (a < 0x80) {
            iram[a] = v;
        }
    }
    bool readBit(std::uint8_t bit, bool latch = false);
    void writeBit(std::uint8_t bit, bool value);
    std::uint8_t& rn(int n) { return iram[(sfr_[PSW - 0x80] & 0x18) + n]; }
    std::uint8_t& acc() { return sfr_[ACC - 0x80]; }
    std::uint8_t& psw() { return sfr_[PSW - 0x80]; }
    void push(std::uint8_t v);
    std::uint8_t pop();
    std::uint8_t fetch() { return code_[pc++]; }
    void setCarry(bool c) {
        psw() = static_cast<std::uint8_t>(c ? psw() | PSW_CY : psw() & ~PSW_CY);
    }
    bool carry() { return (psw() & PSW_CY) != 0; }

    int stepPolled();
    int execute(std::uint8_t op);
    bool peripheralsActive() const {
        return (sfr_[TCON - 0x80] & 0x50) != 0 || t0Edges_ != 0 || t1Edges_ != 0 ||
               txBitsLeft_ != 0 || rxBitsLeft_ != 0 || !rxQueue_.empty();
    }
    void add(std::uint8_t v, bool withCarry);
    void subb(std::uint8_t v);
    void jumpRelative(std::uint8_t offset) {
        pc = static_cast<std::uint16_t>(pc + static_cast<std::int8_t>(offset));
    }

    // Peripherals, advanced by machine cycles.
    void tick(int machineCycles);
    int tickTimers(int machineCycles); // answers the overflows of timer 1
    void serialBitTime();
    void tickSerial(int machineCycles, int timer1Overflows);
    void setTcon(std::uint8_t bits);
    void updateLevelInterrupts();
    void setScon(std::uint8_t bits);
    bool interruptPending(int& vector, bool& high) const;
    void vector(int address, bool high);
    void startTransmit(std::uint8_t byte);

    const std::uint8_t* code_;
    Board51& board_;
    std::array<std::uint8_t, 128> sfr_{};
    std::array<std::uint8_t, 4> pins_{0xFF, 0xFF, 0xFF, 0xFF};
    std::uint8_t sbufIn_ = 0;
    // Interrupt state: the levels in service (bit 0 low, bit 1 high), the flags as the last
    // polling cycle saw them, and whether the last instruction blocks the next vectoring.
    int inService_ = 0;
    std::uint8_t polledTcon_ = 0;
    std::uint8_t polledScon_ = 0;
    bool blockNext_ = false;
    bool wroteInterruptControl_ = false;
    std::uint8_t risenTcon_ = 0; // flags the peripherals set during the current instruction
    std::uint8_t risenScon_ = 0;
    int t0Edges_ = 0; // falling edges on T0 and T1 not yet counted
    int t1Edges_ = 0;
    // Serial port.
    int txBitsLeft_ = 0;
    std::uint8_t txByte_ = 0;
    bool txNinth_ = false;
    int rxBitsLeft_ = 0;
    std::uint8_t rxByte_ = 0;
    bool rxNinth_ = false;
    std::deque<std::pair<std::uint8_t, bool>> rxQueue_;
    int bitClock_ = 0; // timer 1 overflows or oscillator periods toward the next bit time
    bool mode0Receiving_ = false;
};

} // namespace core51
