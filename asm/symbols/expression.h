// The expression evaluator: signed 32-bit values with the kinds of the symbols they use.
#pragma once

#include "symbol_table.h"

#include <cstdint>

namespace tasm {

enum class Token : std::uint8_t {
    End,
    Name,
    Number,
    BitSelect, // .0 to .7, scanned by Expr51 only
    Not,
    NotEqual,
    Remainder,
    BitAnd,
    LogicalAnd,
    LeftParen,
    RightParen,
    Product,
    Quotient,
    Plus,
    Minus,
    Less,
    LessEqual,
    ShiftLeft,
    Equal,
    Greater,
    GreaterEqual,
    ShiftRight,
    BitXor,
    BitOr,
    LogicalOr,
    Complement,
};

// Everything one evaluation scans and accumulates. Each evaluation has its own, so the
// evaluator keeps nothing between calls.
struct ScanState {
    const STable* table = nullptr;
    std::uint16_t type = 0;
    std::uint16_t location = 0;
    const char* cursor = nullptr;
    Token token = Token::End;
    std::int32_t number = 0;
    char name[33] = {};
    std::size_t nameLength = 0;
    std::uint8_t error = 0;
};

struct EvalResult {
    std::int32_t value = 0;
    SymKind type = 0;
    std::uint8_t code = 0; // diagnostic code; 0 when the value is good
};

// The plain evaluator. Expr51 adds the 8051 bit selection by overriding the two scanning steps.
class Expression {
public:
    virtual ~Expression() = default;
    EvalResult evaluate(const char* text, std::uint16_t location, const STable& symbols) const;

protected:
    virtual void nextToken(ScanState& s) const;
    virtual std::int32_t primary(ScanState& s) const;

private:
    // The operators of levels minLevel (1, the lowest, is ||) to 9 (* / %).
    std::int32_t binary(ScanState& s, int minLevel) const;
    std::int32_t combine(ScanState& s, Token op, std::int32_t left, std::int32_t right) const;
};

class Expr51 : public Expression {
protected:
    void nextToken(ScanState& s) const override;
    std::int32_t primary(ScanState& s) const override;
};

} // namespace tasm
