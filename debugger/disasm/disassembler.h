// The program view's disassembler: the 256-entry opcode table over 112 shared instruction
// objects, their operand descriptors, and the SFR names of the processor model.
#pragma once

#include "debugger/app/code_space.h"

#include <cstdint>
#include <string>

namespace tarnik {

// The instruction most recently decoded.
struct DecodedInstr {
    std::uint16_t address = 0;
    std::uint16_t opcode = 0;
    std::uint16_t byte1 = 0;
    std::uint16_t byte2 = 0;
    std::uint8_t length = 1;
};

class P51rel {};
class Device {};

// Registers of the processor model; only SFRs have names.
class Register : public Device {
public:
    virtual ~Register() = default;
    virtual const char* name() const { return nullptr; }
};
class Reg8 : public Register {};
class RegSFR : public Reg8 {
public:
    explicit RegSFR(const char* name) : name_(name) {}
    const char* name() const override { return name_; }

private:
    const char* name_;
};
class RegDef : public RegSFR {
public:
    RegDef() : RegSFR("INVALID") {}
};
class Reg51p : public RegSFR {
public:
    using RegSFR::RegSFR;
};

class Proc_51 : public P51rel {
public:
    // The RAM cell for 00H-7FH, else the SFR of the map ("INVALID" where the 8051 has none).
    static const Register& directRegister(std::uint8_t address);
};

// Operand descriptors, shared by the instruction objects.
class Par51 : public P51rel {
public:
    virtual ~Par51() = default;
    virtual void print(const DecodedInstr& d, std::string& out) const = 0;
};
class Par51reg : public Par51 {};

class Mnemo51 : public P51rel {
public:
    Mnemo51(std::uint8_t length, const Par51* first = nullptr, const Par51* second = nullptr)
        : length(length), first(first), second(second) {}
    virtual ~Mnemo51() = default;
    // Appends the text of the instruction the decoder holds.
    virtual void print(const DecodedInstr& d, std::string& out) const = 0;
    std::uint8_t length;
    const Par51* first;
    const Par51* second;
};

// The 256 entries, every opcode (A5h included) with an object.
const Mnemo51* const* opcodeTable();
// The distinct instruction objects behind the table.
int instructionObjectCount();

struct DisasmLine {
    std::uint16_t address = 0;
    std::uint16_t callTarget = 0;
    std::uint8_t length = 0;
    bool isCall = false;
    char text[49] = {};
};

class Disassembler {
public:
    explicit Disassembler(const CodeSpace& code) : code_(code) {}

    void decodeAt(std::uint16_t address);
    std::uint16_t relativeTarget() const;
    std::uint16_t pageTarget() const;
    std::uint16_t longTarget() const;

    // Fills the line for the instruction at the address; answers the next address.
    std::uint16_t disassembleLine(DisasmLine& line, std::uint16_t address);

private:
    const CodeSpace& code_;
    DecodedInstr decoded_;
};

// Targets of an instruction, from its decoded bytes alone.
std::uint16_t relativeTarget(const DecodedInstr& d);
std::uint16_t pageTarget(const DecodedInstr& d);
std::uint16_t longTarget(const DecodedInstr& d);

} // namespace tarnik
