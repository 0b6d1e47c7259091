// Operand forms of the instruction set: each recognises its text and encodes it into the bytes.
#pragma once

#include "asm/output/elements.h"
#include "asm/output/obj_pool.h"
#include "asm/symbols/expression.h"

#include <cstdint>

namespace tasm {

class Operand : public ObjBuf {
public:
    explicit Operand(int byteIndex = 1) : byteIndex(byteIndex) {}
    Operand(const Operand&) = delete;
    Operand& operator=(const Operand&) = delete;
    virtual ~Operand() = default;

    virtual bool matches(const char* /*text*/) const { return true; }
    // Places the operand into bytes[0..2] and answers a diagnostic code (0 when none).
    virtual std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                                const STable& symbols) const = 0;
    // A copy bound to the operand text, taken from the pool, for encoding after the pass.
    virtual Operand* clone(const char* /*text*/, ObjPool& /*pool*/) const { return nullptr; }

    const char* text = nullptr; // a clone's own copy of its operand text
    int byteIndex;

protected:
    template <class T> Operand* cloneAs(const char* text, ObjPool& pool, int index) const {
        auto* copy = new (pool.allocate(sizeof(T), alignof(T))) T(index);
        copy->text = pool.copyText(text);
        return copy;
    }
};

class OperTxt : public Operand {
public:
    explicit OperTxt(const char* pattern) : pattern(pattern) {}
    bool matches(const char* text) const override;
    std::uint8_t encode(std::uint8_t*, std::uint16_t, const char*, const STable&) const override {
        return 0;
    }
    const char* pattern;
};

class OpRr : public Operand {
public:
    bool matches(const char* text) const override;
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
};

class OpRi : public Operand {
public:
    bool matches(const char* text) const override;
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
};

class OpDirect : public Operand, private Expression {
public:
    using Operand::Operand;
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
    Operand* clone(const char* text, ObjPool& pool) const override {
        return cloneAs<OpDirect>(text, pool, byteIndex);
    }
};

class OpHdata : public Operand, private Expr51 {
public:
    using Operand::Operand;
    bool matches(const char* text) const override { return text[0] == '#'; }
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
    Operand* clone(const char* text, ObjPool& pool) const override {
        return cloneAs<OpHdata>(text, pool, byteIndex);
    }
};

class OpHdata16 : public Operand, private Expression {
public:
    using Operand::Operand;
    bool matches(const char* text) const override { return text[0] == '#'; }
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
    Operand* clone(const char* text, ObjPool& pool) const override {
        return cloneAs<OpHdata16>(text, pool, 1);
    }
};

class OpBit : public Operand, private Expr51 {
public:
    using Operand::Operand;
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
    Operand* clone(const char* text, ObjPool& pool) const override {
        return cloneAs<OpBit>(text, pool, 1);
    }
};

class OpSBit : public OpBit {
public:
    using OpBit::OpBit;
    bool matches(const char* text) const override { return text[0] == '/'; }
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
    Operand* clone(const char* text, ObjPool& pool) const override {
        return cloneAs<OpSBit>(text, pool, 1);
    }
};

class OpAddr16 : public Operand, private Expression {
public:
    using Operand::Operand;
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
    Operand* clone(const char* text, ObjPool& pool) const override {
        return cloneAs<OpAddr16>(text, pool, 1);
    }
};

class OpAddr11 : public Operand, private Expression {
public:
    using Operand::Operand;
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
    Operand* clone(const char* text, ObjPool& pool) const override {
        return cloneAs<OpAddr11>(text, pool, 1);
    }
};

class OpRel : public Operand, private Expression {
public:
    using Operand::Operand;
    std::uint8_t encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                        const STable& symbols) const override;
    Operand* clone(const char* text, ObjPool& pool) const override {
        return cloneAs<OpRel>(text, pool, byteIndex);
    }
};

} // namespace tasm
