// The instruction set of the 8051: one case per opcode, exact results, flags and cycles.
#include "cpu51.h"

namespace core51 {

namespace {

// One bit per address 80h-FFh: the 21 SFRs the 8051 has.
constexpr std::uint8_t sfrExists[16] = {0x8F, 0x3F, 0x01, 0x03, 0x01, 0x01, 0x01, 0x01,
                                        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00};

bool implemented(std::uint8_t a) {
    return ((sfrExists[(a >> 3) & 0x0F] >> (a & 7)) & 1) != 0;
}

int portOf(std::uint8_t a) {
    switch (a) {
    case P0: return 0;
    case P1: return 1;
    case P2: return 2;
    case P3: return 3;
    default: return -1;
    }
}

bool parity(std::uint8_t v) {
    v ^= v >> 4;
    v ^= v >> 2;
    v ^= v >> 1;
    return (v & 1) != 0;
}

} // namespace

Cpu51::Cpu51(const std::uint8_t* code, Board51& board) : code_(code), board_(board) {
    reset();
}

void Cpu51::reset() {
    sfr_.fill(0);
    sfr_[SP - 0x80] = 0x07;
    for (std::uint8_t port : {P0, P1, P2, P3}) {
        sfr_[port - 0x80] = 0xFF;
    }
    pc = 0;
    cycles = 0;
    instructions = 0;
    iram.fill(0); // not as the silicon, whose RAM holds what it held: runs are repeatable
    inService_ = 0;
    polledTcon_ = polledScon_ = 0;
    blockNext_ = false;
    txBitsLeft_ = rxBitsLeft_ = 0;
    rxQueue_.clear();
    bitClock_ = 0;
    mode0Receiving_ = false;
    t0Edges_ = t1Edges_ = 0;
    pins_.fill(0xFF);
    updateLevelInterrupts();
}

std::uint8_t Cpu51::readSfr(std::uint8_t a) {
    int port = portOf(a);
    if (port >= 0) {
        return static_cast<std::uint8_t>(sfr_[a - 0x80] & pins_[static_cast<std::size_t>(port)]);
    }
    if (a == SBUF) {
        return sbufIn_;
    }
    return implemented(a) ? sfr_[a - 0x80] : 0xFF; // an SFR the 8051 lacks reads as FFh
}

std::uint8_t Cpu51::readLatch(std::uint8_t a) {
    return portOf(a) >= 0 ? sfr_[a - 0x80] : readDirect(a);
}

void Cpu51::writeSfr(std::uint8_t a, std::uint8_t v) {
    if (!implemented(a)) {
        return;
    }
    if (a == SBUF) {
        startTransmit(v);
        return;
    }
    sfr_[a - 0x80] = v;
    if (int port = portOf(a); port >= 0) {
        board_.portLatchWritten(port, v);
        if (port == 3) {
            updateLevelInterrupts();
        }
    } else if (a == TCON) {
        updateLevelInterrupts();
    } else if (a == IE || a == IP) {
        wroteInterruptControl_ = true;
    } else if (a == SCON) {
        // Mode 0 reception starts when REN is set and RI is clear.
        if ((v & 0xC0) == 0 && (v & 0x10) != 0 && (v & 0x01) == 0 && !mode0Receiving_) {
            mode0Receiving_ = true;
            rxBitsLeft_ = 8;
        }
    }
}

bool Cpu51::readBit(std::uint8_t bit, bool latch) {
    std::uint8_t byte = bit < 0x80 ? iram[0x20 + (bit >> 3)]
                        : latch    ? readLatch(bit & 0xF8)
                                   : readDirect(bit & 0xF8);
    return ((byte >> (bit & 7)) & 1) != 0;
}

void Cpu51::writeBit(std::uint8_t bit, bool value) {
    auto mask = static_cast<std::uint8_t>(1U << (bit & 7));
    if (bit < 0x80) {
        std::uint8_t& byte = iram[0x20 + (bit >> 3)];
        byte = static_cast<std::uint8_t>(value ? byte | mask : byte & ~mask);
        return;
    }
    auto address = static_cast<std::uint8_t>(bit & 0xF8);
    std::uint8_t byte = readLatch(address); // read-modify-write reads the port latch
    writeDirect(address, static_cast<std::uint8_t>(value ? byte | mask : byte & ~mask));
}

void Cpu51::push(std::uint8_t v) {
    std::uint8_t& sp = sfr_[SP - 0x80];
    ++sp;
    writeIndirect(sp, v);
}

std::uint8_t Cpu51::pop() {
    std::uint8_t& sp = sfr_[SP - 0x80];
    std::uint8_t v = readIndirect(sp);
    --sp;
    return v;
}

void Cpu51::add(std::uint8_t v, bool withCarry) {
    unsigned a = acc();
    unsigned c = withCarry && carry() ? 1 : 0;
    unsigned sum = a + v + c;
    bool ac = ((a & 0x0F) + (v & 0x0F) + c) > 0x0F;
    bool c6 = ((a & 0x7F) + (v & 0x7F) + c) > 0x7F;
    bool cy = sum > 0xFF;
    std::uint8_t p = psw() & static_cast<std::uint8_t>(~(PSW_CY | PSW_AC | PSW_OV));
    psw() = static_cast<std::uint8_t>(p | (cy ? PSW_CY : 0) | (ac ? PSW_AC : 0) |
                                      (cy != c6 ? PSW_OV : 0));
    acc() = static_cast<std::uint8_t>(sum);
}

void Cpu51::subb(std::uint8_t v) {
    int a = acc();
    int c = carry() ? 1 : 0;
    int result = a - v - c;
    bool cy = result < 0;
    bool ac = (a & 0x0F) - (v & 0x0F) - c < 0;
    bool ov = ((a ^ v) & (a ^ result) & 0x80) != 0;
    std::uint8_t p = psw() & static_cast<std::uint8_t>(~(PSW_CY | PSW_AC | PSW_OV));
    psw() =
        static_cast<std::uint8_t>(p | (cy ? PSW_CY : 0) | (ac ? PSW_AC : 0) | (ov ? PSW_OV : 0));
    acc() = static_cast<std::uint8_t>(result);
}

namespace {
struct ParityTable {
    std::array<bool, 256> odd{};
    ParityTable() {
        for (int v = 0; v < 256; ++v) {
            odd[static_cast<std::size_t>(v)] = parity(static_cast<std::uint8_t>(v));
        }
    }
};
const ParityTable parityTable;
} // namespace

int Cpu51::step() {
    // With EA clear no interrupt can be served after this instruction (a write to IE would
    // block the next one anyway), so the flags need no polling.
    if ((sfr_[PCON - 0x80] & 3) == 0 && (sfr_[IE - 0x80] & 0x80) == 0) {
        wroteInterruptControl_ = false;
        std::uint8_t op = fetch();
        int n = execute(op);
        blockNext_ = op == 0x32 || wroteInterruptControl_;
        if (peripheralsActive()) {
            tick(n);
        } else {
            cycles += static_cast<std::uint64_t>(n);
        }
        ++instructions;
        std::uint8_t& p = psw();
        p = static_cast<std::uint8_t>(parityTable.odd[acc()] ? p | PSW_P : p & ~PSW_P);
        return n;
    }
    return stepPolled();
}

int Cpu51::stepPolled() {
    if (poweredDown()) {
        ++cycles; // the oscillator stops: only a reset ends power-down
        return 1;
    }
    int taken = 0;
    int vectorAddress = 0;
    bool high = false;
    if (!blockNext_ && interruptPending(vectorAddress, high)) {
        sfr_[PCON - 0x80] &= static_cast<std::uint8_t>(~1); // an interrupt ends idle
        vector(vectorAddress, high);
        taken = 2;
        tick(2);
    } else if (idle()) {
        // The CPU sleeps; the peripherals run on and their flags are polled as usual.
        tick(1);
        polledTcon_ = sfr_[TCON - 0x80];
        polledScon_ = sfr_[SCON - 0x80];
        blockNext_ = false;
        return 1;
    }
    std::uint8_t preTcon = sfr_[TCON - 0x80];
    std::uint8_t preScon = sfr_[SCON - 0x80];
    wroteInterruptControl_ = false;
    std::uint8_t op = fetch();
    int n = execute(op);
    // An interrupt is served after an instruction only when its flag was set before the
    // instruction's final cycle, and never right after RETI or a write to IE or IP.
    blockNext_ = op == 0x32 || wroteInterruptControl_;
    risenTcon_ = risenScon_ = 0;
    if (n > 1) {
        tick(n - 1);
    }
    polledTcon_ = static_cast<std::uint8_t>(preTcon | risenTcon_);
    polledScon_ = static_cast<std::uint8_t>(preScon | risenScon_);
    tick(1);
    ++instructions;
    std::uint8_t& p = psw();
    p = static_cast<std::uint8_t>(parityTable.odd[acc()] ? p | PSW_P : p & ~PSW_P);
    return taken + n;
}

int Cpu51::execute(std::uint8_t op) {
    auto direct = [this] { return fetch(); };
    switch (op) {
    case 0x00: return 1; // NOP
    case 0x01:
    case 0x21:
    case 0x41:
    case 0x61:
    case 0x81:
    case 0xA1:
    case 0xC1:
    case 0xE1: {
        std::uint8_t low = fetch();
        pc = static_cast<std::uint16_t>((pc & 0xF800) | ((op & 0xE0) << 3) | low);
        return 2;
    }
    case 0x11:
    case 0x31:
    case 0x51:
    case 0x71:
    case 0x91:
    case 0xB1:
    case 0xD1:
    case 0xF1: {
        std::uint8_t low = fetch();
        push(static_cast<std::uint8_t>(pc & 0xFF));
        push(static_cast<std::uint8_t>(pc >> 8));
        pc = static_cast<std::uint16_t>((pc & 0xF800) | ((op & 0xE0) << 3) | low);
        return 2;
    }
    case 0x02: { // LJMP
        std::uint8_t hi = fetch();
        std::uint8_t lo = fetch();
        pc = static_cast<std::uint16_t>(hi << 8 | lo);
        return 2;
    }
    case 0x12: { // LCALL
        std::uint8_t hi = fetch();
        std::uint8_t lo = fetch();
        push(static_cast<std::uint8_t>(pc & 0xFF));
        push(static_cast<std::uint8_t>(pc >> 8));
        pc = static_cast<std::uint16_t>(hi << 8 | lo);
        return 2;
    }
    case 0x22:   // RET
    case 0x32: { // RETI
        std::uint8_t hi = pop();
        std::uint8_t lo = pop();
        pc = static_cast<std::uint16_t>(hi << 8 | lo);
        if (op == 0x32) {
            inService_ &= (inService_ & 2) != 0 ? 1 : 0; // the highest level in service ends
        }
        return 2;
    }
    case 0x03: acc() = static_cast<std::uint8_t>(acc() >> 1 | acc() << 7); return 1; // RR
    case 0x13: {                                                                     // RRC
        bool c = (acc() & 1) != 0;
        acc() = static_cast<std::uint8_t>(acc() >> 1 | (carry() ? 0x80 : 0));
        setCarry(c);
        return 1;
    }
    case 0x23: acc() = static_cast<std::uint8_t>(acc() << 1 | acc() >> 7); return 1; // RL
    case 0x33: {                                                                     // RLC
        bool c = (acc() & 0x80) != 0;
        acc() = static_cast<std::uint8_t>(acc() << 1 | (carry() ? 1 : 0));
        setCarry(c);
        return 1;
    }
    case 0x04: ++acc(); return 1;
    case 0x05: {
        std::uint8_t a = direct();
        writeDirect(a, static_cast<std::uint8_t>(readLatch(a) + 1));
        return 1;
    }
    case 0x06:
    case 0x07: {
        std::uint8_t a = rn(op & 1);
        writeIndirect(a, static_cast<std::uint8_t>(readIndirect(a) + 1));
        return 1;
    }
    case 0x08:
    case 0x09:
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x0E:
    case 0x0F: ++rn(op & 7); return 1;
    case 0x14: --acc(); return 1;
    case 0x15: {
        std::uint8_t a = direct();
        writeDirect(a, static_cast<std::uint8_t>(readLatch(a) - 1));
        return 1;
    }
    case 0x16:
    case 0x17: {
        std::uint8_t a = rn(op & 1);
        writeIndirect(a, static_cast<std::uint8_t>(readIndirect(a) - 1));
        return 1;
    }
    case 0x18:
    case 0x19:
    case 0x1A:
    case 0x1B:
    case 0x1C:
    case 0x1D:
    case 0x1E:
    case 0x1F: --rn(op & 7); return 1;
    case 0x10:
    case 0x20:
    case 0x30: { // JBC, JB, JNB
        std::uint8_t bit = fetch();
        std::uint8_t rel = fetch();
        bool set = readBit(bit, op == 0x10);
        if (op == 0x10 && set) {
            writeBit(bit, false);
        }
        if (set == (op != 0x30)) {
            jumpRelative(rel);
        }
        return 2;
    }
    case 0x24: add(fetch(), false); return 1;
    case 0x25: add(readDirect(direct()), false); return 1;
    case 0x26:
    case 0x27: add(readIndirect(rn(op & 1)), false); return 1;
    case 0x34: add(fetch(), true); return 1;
    case 0x35: add(readDirect(direct()), true); return 1;
    case 0x36:
    case 0x37: add(readIndirect(rn(op & 1)), true); return 1;
    case 0x94: subb(fetch()); return 1;
    case 0x95: subb(readDirect(direct())); return 1;
    case 0x96:
    case 0x97: subb(readIndirect(rn(op & 1))); return 1;
    case 0x40:
    case 0x50:
    case 0x60:
    case 0x70:
    case 0x80: { // JC, JNC, JZ, JNZ, SJMP
        std::uint8_t rel = fetch();
        bool jump = op == 0x40   ? carry()
                    : op == 0x50 ? !carry()
                    : op == 0x60 ? acc() == 0
                    : op == 0x70 ? acc() != 0
                                 : true;
        if (jump) {
            jumpRelative(rel);
        }
        return 2;
    }
    case 0x42:
    case 0x52:
    case 0x62: { // ORL/ANL/XRL direct,A
        std::uint8_t a = direct();
        std::uint8_t v = readLatch(a);
        v = op == 0x42 ? v | acc() : op == 0x52 ? v & acc() : v ^ acc();
        writeDirect(a, v);
        return 1;
    }
    case 0x43:
    case 0x53:
    case 0x63: { // ORL/ANL/XRL direct,#data
        std::uint8_t a = direct();
        std::uint8_t k = fetch();
        std::uint8_t v = readLatch(a);
        v = op == 0x43 ? v | k : op == 0x53 ? v & k : v ^ k;
        writeDirect(a, v);
        return 2;
    }
    case 0x72:
    case 0xA0: { // ORL C,bit / ORL C,/bit
        bool b = readBit(fetch());
        setCarry(carry() || (op == 0x72 ? b : !b));
        return 2;
    }
    case 0x82:
    case 0xB0: { // ANL C,bit / ANL C,/bit
        bool b = readBit(fetch());
        setCarry(carry() && (op == 0x82 ? b : !b));
        return 2;
    }
    case 0x73: pc = static_cast<std::uint16_t>(acc() + dptr()); return 2; // JMP @A+DPTR
    case 0x74: acc() = fetch(); return 1;
    case 0x75: {
        std::uint8_t a = direct();
        writeDirect(a, fetch());
        return 2;
    }
    case 0x76:
    case 0x77: writeIndirect(rn(op & 1), fetch()); return 1;
    case 0x78:
    case 0x79:
    case 0x7A:
    case 0x7B:
    case 0x7C:
    case 0x7D:
    case 0x7E:
    case 0x7F: rn(op & 7) = fetch(); return 1;
    case 0x83: acc() = code_[static_cast<std::uint16_t>(acc() + pc)]; return 2; // MOVC @A+PC
    case 0x93: acc() = code_[static_cast<std::uint16_t>(acc() + dptr())]; return 2;
    case 0x84: { // DIV AB
        std::uint8_t b = sfr_[B - 0x80];
        std::uint8_t p = psw() & static_cast<std::uint8_t>(~(PSW_CY | PSW_OV));
        if (b == 0) {
            psw() = static_cast<std::uint8_t>(p | PSW_OV); // A and B are left as they were
        } else {
            std::uint8_t a = acc();
            acc() = static_cast<std::uint8_t>(a / b);
            sfr_[B - 0x80] = static_cast<std::uint8_t>(a % b);
            psw() = p;
        }
        return 4;
    }
    case 0xA4: { // MUL AB
        unsigned product = acc() * sfr_[B - 0x80];
        acc() = static_cast<std::uint8_t>(product);
        sfr_[B - 0x80] = static_cast<std::uint8_t>(product >> 8);
        std::uint8_t p = psw() & static_cast<std::uint8_t>(~(PSW_CY | PSW_OV));
        psw() = static_cast<std::uint8_t>(p | (product > 0xFF ? PSW_OV : 0));
        return 4;
    }
    case 0x85: { // MOV direct,direct: the source comes first
        std::uint8_t source = direct();
        std::uint8_t dest = direct();
        writeDirect(dest, readDirect(source));
        return 2;
    }
    case 0x86:
    case 0x87: {
        std::uint8_t a = direct();
        writeDirect(a, readIndirect(rn(op & 1)));
        return 2;
    }
    case 0x88:
    case 0x89:
    case 0x8A:
    case 0x8B:
    case 0x8C:
    case 0x8D:
    case 0x8E:
    case 0x8F: {
        std::uint8_t a = direct();
        writeDirect(a, rn(op & 7));
        return 2;
    }
    case 0x90: { // MOV DPTR,#data16
        sfr_[DPH - 0x80] = fetch();
        sfr_[DPL - 0x80] = fetch();
        return 2;
    }
    case 0x92: writeBit(fetch(), carry()); return 2; // MOV bit,C
    case 0x98:
    case 0x99:
    case 0x9A:
    case 0x9B:
    case 0x9C:
    case 0x9D:
    case 0x9E:
    case 0x9F: subb(rn(op & 7)); return 1;
    case 0xA2: setCarry(readBit(fetch())); return 1; // MOV C,bit
    case 0xA3: {                                     // INC DPTR
        auto d = static_cast<std::uint16_t>(dptr() + 1);
        sfr_[DPH - 0x80] = static_cast<std::uint8_t>(d >> 8);
        sfr_[DPL - 0x80] = static_cast<std::uint8_t>(d);
        return 2;
    }
    case 0xA5: return 1; // no 8051 instruction: executed here as a one-cycle NOP
    case 0xA6:
    case 0xA7: writeIndirect(rn(op & 1), readDirect(direct())); return 2;
    case 0xA8:
    case 0xA9:
    case 0xAA:
    case 0xAB:
    case 0xAC:
    case 0xAD:
    case 0xAE:
    case 0xAF: rn(op & 7) = readDirect(direct()); return 2;
    case 0xB2: { // CPL bit
        std::uint8_t bit = fetch();
        writeBit(bit, !readBit(bit, true));
        return 1;
    }
    case 0xB3: setCarry(!carry()); return 1;
    case 0xB4:
    case 0xB5:
    case 0xB6:
    case 0xB7:
    case 0xB8:
    case 0xB9:
    case 0xBA:
    case 0xBB:
    case 0xBC:
    case 0xBD:
    case 0xBE:
    case 0xBF: { // CJNE
        std::uint8_t left = 0;
        std::uint8_t right = 0;
        if (op == 0xB4) {
            left = acc();
            right = fetch();
        } else if (op == 0xB5) {
            left = acc();
            right = readDirect(direct());
        } else if (op <= 0xB7) {
            left = readIndirect(rn(op & 1));
            right = fetch();
        } else {
            left = rn(op & 7);
            right = fetch();
        }
        std::uint8_t rel = fetch();
        setCarry(left < right);
        if (left != right) {
            jumpRelative(rel);
        }
        return 2;
    }
    case 0xC0: push(readDirect(direct())); return 2; // PUSH
    case 0xD0: {                                     // POP
        std::uint8_t a = direct();
        writeDirect(a, pop());
        return 2;
    }
    case 0xC2: writeBit(fetch(), false); return 1;
    case 0xC3: setCarry(false); return 1;
    case 0xD2: writeBit(fetch(), true); return 1;
    case 0xD3: setCarry(true); return 1;
    case 0xC4: acc() = static_cast<std::uint8_t>(acc() << 4 | acc() >> 4); return 1; // SWAP
    case 0xC5: {
        std::uint8_t a = direct();
        std::uint8_t v = readDirect(a);
        writeDirect(a, acc());
        acc() = v;
        return 1;
    }
    case 0xC6:
    case 0xC7: {
        std::uint8_t a = rn(op & 1);
        std::uint8_t v = readIndirect(a);
        writeIndirect(a, acc());
        acc() = v;
        return 1;
    }
    case 0xC8:
    case 0xC9:
    case 0xCA:
    case 0xCB:
    case 0xCC:
    case 0xCD:
    case 0xCE:
    case 0xCF: {
        std::uint8_t v = rn(op & 7);
        rn(op & 7) = acc();
        acc() = v;
        return 1;
    }
    case 0xD4: { // DA A
        unsigned a = acc();
        bool cy = carry();
        if ((a & 0x0F) > 9 || (psw() & PSW_AC) != 0) {
            a += 0x06;
        }
        cy = cy || a > 0xFF;
        if ((a & 0x1F0) > 0x90 || cy) {
            a += 0x60;
        }
        setCarry(cy || a > 0xFF);
        acc() = static_cast<std::uint8_t>(a);
        return 1;
    }
    case 0xD5: { // DJNZ direct,rel
        std::uint8_t a = direct();
        std::uint8_t rel = fetch();
        auto v = static_cast<std::uint8_t>(readLatch(a) - 1);
        writeDirect(a, v);
        if (v != 0) {
            jumpRelative(rel);
        }
        return 2;
    }
    case 0xD6:
    case 0xD7: { // XCHD
        std::uint8_t a = rn(op & 1);
        std::uint8_t v = readIndirect(a);
        writeIndirect(a, static_cast<std::uint8_t>((v & 0xF0) | (acc() & 0x0F)));
        acc() = static_cast<std::uint8_t>((acc() & 0xF0) | (v & 0x0F));
        return 1;
    }
    case 0xD8:
    case 0xD9:
    case 0xDA:
    case 0xDB:
    case 0xDC:
    case 0xDD:
    case 0xDE:
    case 0xDF: {
        std::uint8_t rel = fetch();
        if (--rn(op & 7) != 0) {
            jumpRelative(rel);
        }
        return 2;
    }
    case 0xE0: acc() = board_.readExternal(dptr()); return 2;
    case 0xE2:
    case 0xE3: // MOVX A,@Ri: P2 gives the high address byte
        acc() = board_.readExternal(static_cast<std::uint16_t>(sfr_[P2 - 0x80] << 8 | rn(op & 1)));
        return 2;
    case 0xF0: board_.writeExternal(dptr(), acc()); return 2;
    case 0xF2:
    case 0xF3:
        board_.writeExternal(static_cast<std::uint16_t>(sfr_[P2 - 0x80] << 8 | rn(op & 1)), acc());
        return 2;
    case 0xE4: acc() = 0; return 1;
    case 0xF4: acc() = static_cast<std::uint8_t>(~acc()); return 1;
    case 0xE5: acc() = readDirect(direct()); return 1;
    case 0xE6:
    case 0xE7: acc() = readIndirect(rn(op & 1)); return 1;
    case 0xE8:
    case 0xE9:
    case 0xEA:
    case 0xEB:
    case 0xEC:
    case 0xED:
    case 0xEE:
    case 0xEF: acc() = rn(op & 7); return 1;
    case 0xF5: writeDirect(direct(), acc()); return 1;
    case 0xF6:
    case 0xF7: writeIndirect(rn(op & 1), acc()); return 1;
    case 0xF8:
    case 0xF9:
    case 0xFA:
    case 0xFB:
    case 0xFC:
    case 0xFD:
    case 0xFE:
    case 0xFF: rn(op & 7) = acc(); return 1;
    case 0x44: acc() |= fetch(); return 1;
    case 0x45: acc() |= readDirect(direct()); return 1;
    case 0x46:
    case 0x47: acc() |= readIndirect(rn(op & 1)); return 1;
    case 0x48:
    case 0x49:
    case 0x4A:
    case 0x4B:
    case 0x4C:
    case 0x4D:
    case 0x4E:
    case 0x4F: acc() |= rn(op & 7); return 1;
    case 0x54: acc() &= fetch(); return 1;
    case 0x55: acc() &= readDirect(direct()); return 1;
    case 0x56:
    case 0x57: acc() &= readIndirect(rn(op & 1)); return 1;
    case 0x58:
    case 0x59:
    case 0x5A:
    case 0x5B:
    case 0x5C:
    case 0x5D:
    case 0x5E:
    case 0x5F: acc() &= rn(op & 7); return 1;
    case 0x64: acc() ^= fetch(); return 1;
    case 0x65: acc() ^= readDirect(direct()); return 1;
    case 0x66:
    case 0x67: acc() ^= readIndirect(rn(op & 1)); return 1;
    case 0x68:
    case 0x69:
    case 0x6A:
    case 0x6B:
    case 0x6C:
    case 0x6D:
    case 0x6E:
    case 0x6F: acc() ^= rn(op & 7); return 1;
    case 0x28:
    case 0x29:
    case 0x2A:
    case 0x2B:
    case 0x2C:
    case 0x2D:
    case 0x2E:
    case 0x2F: add(rn(op & 7), false); return 1;
    case 0x38:
    case 0x39:
    case 0x3A:
    case 0x3B:
    case 0x3C:
    case 0x3D:
    case 0x3E:
    case 0x3F: add(rn(op & 7), true); return 1;
    default: return 1; // every opcode is handled above
    }
}

} // namespace core51
