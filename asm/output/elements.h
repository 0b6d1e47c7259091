// The per-line elements of the object code: address, bytes, diagnostic, and listing columns.
#pragma once

#include "asm/source/diagnostics.h"
#include "asm/source/source.h"
#include "asm/symbols/symbol_table.h"

#include <cstdint>
#include <string>

namespace tasm {

class Operand;

// What the update pass after the last line needs.
struct UpdateContext {
    const STable& symbols;
    DiagnosticCounters& counters;
};

// The byte-source interface shared by elements and operands.
class ObjBuf {
public:
    virtual int length() const { return 0; }
    virtual std::uint8_t byteAt(int /*i*/) const { return 0; }

protected:
    ~ObjBuf() = default;
};

// One source line. Elements live in the run's pool and are never destroyed one by one.
class ObjElm : public ObjBuf {
public:
    explicit ObjElm(std::uint16_t address) : address(address) {}
    virtual void update(UpdateContext& /*context*/) {}
    // Appends the 16-character object column of the listing line.
    virtual void listObject(std::string& out) const;
    // Appends continuation line n (n >= 1), line end included.
    virtual void listContinuation(std::string& /*out*/, int /*n*/) const {}

    // Where the line's text is found again: its position in the file and its nesting level
    // (the text of an expanded macro line is kept by the object code). Sixteen bytes with the
    // table pointer, so that a program of a million lines stays small.
    std::uint32_t position = 0;
    std::uint16_t address;
    std::uint8_t diag = 0;
    std::uint8_t level = 0;

protected:
    ~ObjElm() = default;
};

class ObjAddr : public ObjElm {
public:
    using ObjElm::ObjElm;
    void listObject(std::string& out) const override;
};

class ObjVal : public ObjElm {
public:
    ObjVal(std::uint16_t address, std::uint16_t value) : ObjElm(address), value(value) {}
    void listObject(std::string& out) const override;
    std::uint16_t value;
};

class ObjCond : public ObjElm {
public:
    ObjCond(std::uint16_t address, std::int32_t level) : ObjElm(address), level(level) {}
    void listObject(std::string& out) const override;
    std::int32_t level;
};

// Lines with object bytes: the code column shows the address and up to three bytes.
class ObjMnemo0 : public ObjElm {
public:
    using ObjElm::ObjElm;
    void listObject(std::string& out) const override;
};

template <int N> class ObjMnemoN : public ObjMnemo0 {
public:
    ObjMnemoN(std::uint16_t address, const std::uint8_t* source) : ObjMnemo0(address) {
        for (int i = 0; i < N; ++i) {
            bytes[i] = source[i];
        }
    }
    int length() const override { return N; }
    std::uint8_t byteAt(int i) const override { return bytes[i]; }
    std::uint8_t bytes[N];
};

using ObjMnemo1 = ObjMnemoN<1>;
using ObjMnemo2 = ObjMnemoN<2>;
using ObjMnemo3 = ObjMnemoN<3>;

// Four or more bytes of DB or DW; the bytes live in the pool.
class ObjData : public ObjMnemo0 {
public:
    ObjData(std::uint16_t address, std::uint8_t count, const std::uint8_t* bytes)
        : ObjMnemo0(address), count(count), bytes(bytes) {}
    int length() const override { return count; }
    std::uint8_t byteAt(int i) const override { return bytes[i]; }
    void listContinuation(std::string& out, int n) const override;
    std::uint8_t count;
    const std::uint8_t* bytes;
};

class ObjMnemo : public ObjMnemo0 {
public:
    ObjMnemo(std::uint16_t address, int length, const std::uint8_t* source);
    int length() const override { return length_; }
    std::uint8_t byteAt(int i) const override { return bytes[i]; }
    std::uint8_t bytes[3];

private:
    std::uint8_t length_;
};

// An instruction whose operands named symbols not yet defined: encoded again after the pass.
class ObjMnUpd1 : public ObjMnemo {
public:
    ObjMnUpd1(std::uint16_t address, int length, const std::uint8_t* bytes, Operand* first)
        : ObjMnemo(address, length, bytes), first(first) {}
    void update(UpdateContext& context) override;
    Operand* first;
};

class ObjMnUpd2 : public ObjMnemo {
public:
    ObjMnUpd2(std::uint16_t address, int length, const std::uint8_t* bytes, Operand* first,
              Operand* second)
        : ObjMnemo(address, length, bytes), first(first), second(second) {}
    void update(UpdateContext& context) override;
    Operand* first;
    Operand* second;
};

// Upper-case hex digits, zero-padded.
void appendHex(std::string& out, unsigned value, int digits);

} // namespace tasm
