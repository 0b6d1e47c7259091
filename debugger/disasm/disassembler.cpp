#include "disassembler.h"

#include <array>
#include <cstdio>
#include <set>

namespace tarnik {

namespace {

void appendHex(std::string& out, unsigned value, int digits) {
    static constexpr char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += hex[(value >> shift) & 0xF];
    }
}

void appendTarget(std::string& out, std::uint16_t target) {
    appendHex(out, target, 4);
    out += 'H';
}

void appendDirectName(std::string& out, std::uint8_t address) {
    if (const char* name = Proc_51::directRegister(address).name()) {
        out += name;
    } else {
        appendHex(out, address, 2);
        out += 'H';
    }
}

// A bit address as the byte that holds it, a point and the bit number: P1.7, 20H.0.
void appendBitName(std::string& out, std::uint8_t bit) {
    auto byte = static_cast<std::uint8_t>(bit >= 0x80 ? bit & 0xF8 : 0x20 + (bit >> 3));
    appendDirectName(out, byte);
    out += '.';
    out += static_cast<char>('0' + (bit & 7));
}

std::uint16_t operandByte(const DecodedInstr& d, int index) {
    return index == 0 ? d.byte1 : d.byte2;
}

// --- operand descriptors ------------------------------------------------------------------

class Par51A : public Par51reg {
public:
    void print(const DecodedInstr&, std::string& out) const override { out += 'A'; }
};
class ParDPTR : public Par51reg {
public:
    void print(const DecodedInstr&, std::string& out) const override { out += "DPTR"; }
};
class Par51Rr : public Par51reg {
public:
    void print(const DecodedInstr& d, std::string& out) const override {
        out += 'R';
        out += static_cast<char>('0' + (d.opcode & 7));
    }
};
class Par51Ri : public Par51reg {
public:
    void print(const DecodedInstr& d, std::string& out) const override {
        out += "@R";
        out += static_cast<char>('0' + (d.opcode & 1));
    }
};
class ParDirect : public Par51reg {
public:
    explicit ParDirect(std::uint8_t index) : index_(index) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        appendDirectName(out, static_cast<std::uint8_t>(operandByte(d, index_)));
    }

private:
    std::uint8_t index_;
};
class ParHdata : public Par51reg {
public:
    explicit ParHdata(std::uint8_t index) : index_(index) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        out += '#';
        appendHex(out, operandByte(d, index_), 2);
        out += 'H';
    }

private:
    std::uint8_t index_;
};
class Par51bit : public Par51reg {
public:
    explicit Par51bit(bool negated) : negated_(negated) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        if (negated_) {
            out += '/';
        }
        appendBitName(out, static_cast<std::uint8_t>(d.byte1));
    }

private:
    std::uint8_t negated_;
};
class Par51C : public Par51bit {
public:
    Par51C() : Par51bit(false) {}
    void print(const DecodedInstr&, std::string& out) const override { out += 'C'; }
};

const Par51A A;
const Par51Rr Rn;
const Par51Ri Ri;
const ParDirect dir1(0);
const ParDirect dir2(1);
const ParHdata data1(0);
const ParHdata data2(1);
const ParDPTR DPTR;
const Par51C C;
const Par51bit bit(false);
const Par51bit notBit(true);

// --- instruction forms ----------------------------------------------------------------------
// Each object prints one form; the register number or page comes from the decoded opcode.

// A text that never varies: MnNOP, MnRET, MnRETI, MnRR, MnRRC, MnRL, MnRLC, MnSWAP, MnDA,
// MnCLR, MnCPL, MnMUL, MnDIV, MnJMP, MnMOVC_PC, MnMOVC_DP, MnMOVXAD, MnMOVXDA, MnUNDEF.
class MnText : public Mnemo51 {
public:
    MnText(std::uint8_t length, const char* text) : Mnemo51(length), text_(text) {}
    void print(const DecodedInstr&, std::string& out) const override { out += text_; }

private:
    const char* text_;
};

// A mnemonic and its operands: MnINC, MnDEC, MnADD, MnADDC, MnSUBB, MnXCH, MnXCHD, MnSETB,
// MnCLRb, MnCPLb, MnANLC, MnORLC, MnMOV, MnMOVb, MnANL, MnORL, MnXRL.
class MnOperands : public Mnemo51 {
public:
    MnOperands(std::uint8_t length, const char* prefix, const Par51* first,
               const Par51* second = nullptr)
        : Mnemo51(length, first, second), prefix_(prefix) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        out += prefix_;
        first->print(d, out);
        if (second != nullptr) {
            out += ',';
            second->print(d, out);
        }
    }

private:
    const char* prefix_;
};

class MnMOVXAR : public Mnemo51 {
public:
    MnMOVXAR() : Mnemo51(1) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        out += "MOVX  A,@R";
        out += static_cast<char>('0' + (d.opcode & 1));
    }
};

class MnMOVXRA : public Mnemo51 {
public:
    MnMOVXRA() : Mnemo51(1) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        out += "MOVX  @R";
        out += static_cast<char>('0' + (d.opcode & 1));
        out += ",A";
    }
};

// MnPUSH, MnPOP: the direct address in byte1 by name.
class MnStack : public Mnemo51 {
public:
    explicit MnStack(const char* prefix) : Mnemo51(2), prefix_(prefix) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        out += prefix_;
        appendDirectName(out, static_cast<std::uint8_t>(d.byte1));
    }

private:
    const char* prefix_;
};

// MnSJMP, MnJZ, MnJNZ, MnJC, MnJNC.
class MnRelJump : public Mnemo51 {
public:
    explicit MnRelJump(const char* prefix) : Mnemo51(2), prefix_(prefix) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        out += prefix_;
        appendTarget(out, relativeTarget(d));
    }

private:
    const char* prefix_;
};

// MnJB, MnJNB, MnJBC: a bit of their own and a relative target.
class MnBitJump : public Mnemo51 {
public:
    explicit MnBitJump(const char* prefix) : Mnemo51(3), prefix_(prefix), bit_(false) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        out += prefix_;
        bit_.print(d, out);
        out += ',';
        appendTarget(out, relativeTarget(d));
    }

private:
    const char* prefix_;
    Par51bit bit_;
};

// MnDJNZ, MnCJNE: operands, then the relative target.
class MnLoop : public MnOperands {
public:
    using MnOperands::MnOperands;
    void print(const DecodedInstr& d, std::string& out) const override {
        MnOperands::print(d, out);
        out += ',';
        appendTarget(out, relativeTarget(d));
    }
};

// MnAJMP, MnACALL within the 2 KB page; MnLJMP, MnLCALL anywhere.
class MnJump : public Mnemo51 {
public:
    MnJump(std::uint8_t length, const char* prefix) : Mnemo51(length), prefix_(prefix) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        out += prefix_;
        appendTarget(out, length == 2 ? pageTarget(d) : longTarget(d));
    }

private:
    const char* prefix_;
};

class MnMOV_DHd : public Mnemo51 {
public:
    MnMOV_DHd() : Mnemo51(3) {}
    void print(const DecodedInstr& d, std::string& out) const override {
        char number[8];
        std::snprintf(number, sizeof number, "%X", longTarget(d));
        out += "MOV   DPTR,#";
        out += number;
        out += 'H';
    }
};

using Row = std::array<const Mnemo51*, 8>; // columns 0 to 5, 6/7 and 8-F

struct Table {
    std::array<const Mnemo51*, 256> entries{};
    int objects = 0;
};

// The objects are built once, at program start, and live as long as the program.
Table buildTable() {
    auto t = [](std::uint8_t length, const char* text) { return new MnText(length, text); };
    auto ops = [](std::uint8_t length, const char* prefix, const Par51* a,
                  const Par51* b = nullptr) { return new MnOperands(length, prefix, a, b); };
    auto loop = [](std::uint8_t length, const char* prefix, const Par51* a,
                   const Par51* b = nullptr) { return new MnLoop(length, prefix, a, b); };
    const Mnemo51* ajmp = new MnJump(2, "AJMP  ");
    const Mnemo51* acall = new MnJump(2, "ACALL ");
    const Mnemo51* movxar = new MnMOVXAR;
    const Mnemo51* movxra = new MnMOVXRA;
    const Row rows[16] = {
        {t(1, "NOP"), ajmp, new MnJump(3, "LJMP  "), t(1, "RR    A"), ops(1, "INC   ", &A),
         ops(2, "INC   ", &dir1), ops(1, "INC   ", &Ri), ops(1, "INC   ", &Rn)},
        {new MnBitJump("JBC   "), acall, new MnJump(3, "LCALL "), t(1, "RRC   A"),
         ops(1, "DEC   ", &A), ops(2, "DEC   ", &dir1), ops(1, "DEC   ", &Ri),
         ops(1, "DEC   ", &Rn)},
        {new MnBitJump("JB    "), ajmp, t(1, "RET"), t(1, "RL    A"), ops(2, "ADD   A,", &data1),
         ops(2, "ADD   A,", &dir1), ops(1, "ADD   A,", &Ri), ops(1, "ADD   A,", &Rn)},
        {new MnBitJump("JNB   "), acall, t(1, "RETI"), t(1, "RLC   A"), ops(2, "ADDC  A,", &data1),
         ops(2, "ADDC  A,", &dir1), ops(1, "ADDC  A,", &Ri), ops(1, "ADDC  A,", &Rn)},
        {new MnRelJump("JC    "), ajmp, ops(2, "ORL   ", &dir1, &A),
         ops(3, "ORL   ", &dir1, &data2), ops(2, "ORL   ", &A, &data1), ops(2, "ORL   ", &A, &dir1),
         ops(1, "ORL   ", &A, &Ri), ops(1, "ORL   ", &A, &Rn)},
        {new MnRelJump("JNC   "), acall, ops(2, "ANL   ", &dir1, &A),
         ops(3, "ANL   ", &dir1, &data2), ops(2, "ANL   ", &A, &data1), ops(2, "ANL   ", &A, &dir1),
         ops(1, "ANL   ", &A, &Ri), ops(1, "ANL   ", &A, &Rn)},
        {new MnRelJump("JZ    "), ajmp, ops(2, "XRL   ", &dir1, &A),
         ops(3, "XRL   ", &dir1, &data2), ops(2, "XRL   ", &A, &data1), ops(2, "XRL   ", &A, &dir1),
         ops(1, "XRL   ", &A, &Ri), ops(1, "XRL   ", &A, &Rn)},
        {new MnRelJump("JNZ   "), acall, ops(2, "ORL   C,", &bit), t(1, "JMP   @A+DPTR"),
         ops(2, "MOV   ", &A, &data1), ops(3, "MOV   ", &dir1, &data2),
         ops(2, "MOV   ", &Ri, &data1), ops(2, "MOV   ", &Rn, &data1)},
        {new MnRelJump("SJMP  "), ajmp, ops(2, "ANL   C,", &bit), t(1, "MOVC  A,@A+PC"),
         t(1, "DIV   AB"), ops(3, "MOV   ", &dir2, &dir1), ops(2, "MOV   ", &dir1, &Ri),
         ops(2, "MOV   ", &dir1, &Rn)},
        {new MnMOV_DHd, acall, ops(2, "MOV   ", &bit, &C), t(1, "MOVC  A,@A+DPTR"),
         ops(2, "SUBB  A,", &data1), ops(2, "SUBB  A,", &dir1), ops(1, "SUBB  A,", &Ri),
         ops(1, "SUBB  A,", &Rn)},
        {ops(2, "ORL   C,", &notBit), ajmp, ops(2, "MOV   ", &C, &bit), ops(1, "INC   ", &DPTR),
         t(1, "MUL   AB"), t(1, "UNDEFINED INSTRUCTION"), ops(2, "MOV   ", &Ri, &dir1),
         ops(2, "MOV   ", &Rn, &dir1)},
        {ops(2, "ANL   C,", &notBit), acall, ops(2, "CPL   ", &bit), ops(1, "CPL   ", &C),
         loop(3, "CJNE  ", &A, &data1), loop(3, "CJNE  ", &A, &dir1),
         loop(3, "CJNE  ", &Ri, &data1), loop(3, "CJNE  ", &Rn, &data1)},
        {new MnStack("PUSH  "), ajmp, ops(2, "CLR   ", &bit), ops(1, "CLR   ", &C), t(1, "SWAP  A"),
         ops(2, "XCH   A,", &dir1), ops(1, "XCH   A,", &Ri), ops(1, "XCH   A,", &Rn)},
        {new MnStack("POP   "), acall, ops(2, "SETB  ", &bit), ops(1, "SETB  ", &C),
         t(1, "DA    A"), loop(3, "DJNZ  ", &dir1), ops(1, "XCHD  A,", &Ri),
         loop(2, "DJNZ  ", &Rn)},
        {t(1, "MOVX  A,@DPTR"), ajmp, movxar, movxar, t(1, "CLR   A"), ops(2, "MOV   ", &A, &dir1),
         ops(1, "MOV   ", &A, &Ri), ops(1, "MOV   ", &A, &Rn)},
        {t(1, "MOVX  @DPTR,A"), acall, movxra, movxra, t(1, "CPL   A"), ops(2, "MOV   ", &dir1, &A),
         ops(1, "MOV   ", &Ri, &A), ops(1, "MOV   ", &Rn, &A)},
    };
    Table table;
    std::set<const Mnemo51*> distinct;
    for (int hi = 0; hi < 16; ++hi) {
        for (int lo = 0; lo < 16; ++lo) {
            int column = lo < 6 ? lo : lo < 8 ? 6 : 7;
            table.entries[static_cast<std::size_t>(hi * 16 + lo)] = rows[hi][column];
            distinct.insert(rows[hi][column]);
        }
    }
    table.objects = static_cast<int>(distinct.size());
    return table;
}

const Table& table() {
    static const Table built = buildTable();
    return built;
}

// The processor model: 128 unnamed RAM cells and the SFR map with its 21 named registers.
struct Model {
    Model() {
        for (auto& slot : sfrMap) {
            slot = &invalid;
        }
        struct Named {
            std::uint8_t address;
            const Register* reg;
        };
        const Named named[] = {
            {0x80, &p0},   {0x81, &sp},   {0x82, &dpl}, {0x83, &dph}, {0x87, &pcon}, {0x88, &tcon},
            {0x89, &tmod}, {0x8A, &tl0},  {0x8B, &tl1}, {0x8C, &th0}, {0x8D, &th1},  {0x90, &p1},
            {0x98, &scon}, {0x99, &sbuf}, {0xA0, &p2},  {0xA8, &ie},  {0xB0, &p3},   {0xB8, &ip},
            {0xD0, &psw},  {0xE0, &acc},  {0xF0, &b},
        };
        for (const auto& n : named) {
            sfrMap[n.address - 0x80] = n.reg;
        }
    }
    std::array<Reg8, 128> ram;
    RegDef invalid;
    Reg51p p0{"P0"}, p1{"P1"}, p2{"P2"}, p3{"P3"};
    RegSFR sp{"SP"}, dpl{"DPL"}, dph{"DPH"}, pcon{"PCON"}, tcon{"TCON"}, tmod{"TMOD"}, tl0{"TL0"},
        tl1{"TL1"}, th0{"TH0"}, th1{"TH1"}, scon{"SCON"}, sbuf{"SBUF"}, ie{"IE"}, ip{"IP"},
        psw{"PSW"}, acc{"ACC"}, b{"B"};
    std::array<const Register*, 128> sfrMap{};
};

const Model& model() {
    static const Model m;
    return m;
}

} // namespace

const Register& Proc_51::directRegister(std::uint8_t address) {
    return address < 0x80 ? model().ram[address] : *model().sfrMap[address - 0x80U];
}

const Mnemo51* const* opcodeTable() {
    return table().entries.data();
}
int instructionObjectCount() {
    return table().objects;
}

std::uint16_t relativeTarget(const DecodedInstr& d) {
    auto r = static_cast<std::int8_t>(d.length == 2 ? d.byte1 : d.byte2);
    return static_cast<std::uint16_t>(d.address + d.length + r);
}

std::uint16_t pageTarget(const DecodedInstr& d) {
    return static_cast<std::uint16_t>(((d.address + d.length) & 0xF800) | ((d.opcode & 0xE0) << 3) |
                                      d.byte1);
}

std::uint16_t longTarget(const DecodedInstr& d) {
    return static_cast<std::uint16_t>(d.byte1 * 256 + d.byte2);
}

void Disassembler::decodeAt(std::uint16_t a) {
    decoded_.opcode = code_.codeByte(a);
    decoded_.length = opcodeTable()[decoded_.opcode]->length;
    if (decoded_.length > 1) {
        decoded_.byte1 = code_.codeByte(static_cast<std::uint16_t>(a + 1));
    }
    if (decoded_.length > 2) {
        decoded_.byte2 = code_.codeByte(static_cast<std::uint16_t>(a + 2));
    }
    decoded_.address = a;
}

std::uint16_t Disassembler::relativeTarget() const {
    return tarnik::relativeTarget(decoded_);
}
std::uint16_t Disassembler::pageTarget() const {
    return tarnik::pageTarget(decoded_);
}
std::uint16_t Disassembler::longTarget() const {
    return tarnik::longTarget(decoded_);
}

std::uint16_t Disassembler::disassembleLine(DisasmLine& line, std::uint16_t address) {
    line.address = address;
    decodeAt(address);
    line.length = decoded_.length;
    std::string text;
    appendHex(text, address, 4);
    text += ": ";
    appendHex(text, decoded_.opcode, 2);
    text += ' ';
    for (int i = 1; i <= 2; ++i) {
        if (i < decoded_.length) {
            appendHex(text, i == 1 ? decoded_.byte1 : decoded_.byte2, 2);
            text += ' ';
        } else {
            text += "   ";
        }
    }
    text += ' ';
    opcodeTable()[decoded_.opcode]->print(decoded_, text);
    std::snprintf(line.text, sizeof line.text, "%s", text.c_str());
    line.isCall = false;
    if (decoded_.opcode == 0x12) {
        line.isCall = true;
        line.callTarget = longTarget();
    } else if ((decoded_.opcode & 0x1F) == 0x11) {
        line.isCall = true;
        line.callTarget = pageTarget();
    }
    return static_cast<std::uint16_t>(address + decoded_.length);
}

} // namespace tarnik
