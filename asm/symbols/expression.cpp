#include "expression.h"

#include "asm/source/diagnostics.h"
#include "asm/source/text_class.h"

#include <climits>
#include <cstring>

namespace tasm {

namespace {

std::int32_t wrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
std::int32_t wrapSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
std::int32_t wrapMul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// Value of a digit character in any base; 99 for a character that is no digit at all.
int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 99;
}

struct OperatorText {
    const char* text;
    Token token;
};

// Two-character operators come first: the longest match wins.
constexpr OperatorText operators[] = {
    {"<<", Token::ShiftLeft},    {"<=", Token::LessEqual}, {">>", Token::ShiftRight},
    {">=", Token::GreaterEqual}, {"!=", Token::NotEqual},  {"&&", Token::LogicalAnd},
    {"||", Token::LogicalOr},    {"==", Token::Equal},     {"!", Token::Not},
    {"%", Token::Remainder},     {"&", Token::BitAnd},     {"(", Token::LeftParen},
    {")", Token::RightParen},    {"*", Token::Product},    {"/", Token::Quotient},
    {"+", Token::Plus},          {"-", Token::Minus},      {"<", Token::Less},
    {"=", Token::Equal},         {">", Token::Greater},    {"^", Token::BitXor},
    {"|", Token::BitOr},         {"~", Token::Complement},
};

void scanNumber(ScanState& s) {
    const char* start = s.cursor;
    const char* end = start;
    while (isAsciiLetter(*end) || isAsciiDigit(*end)) {
        ++end;
    }
    s.cursor = end;
    int base = 10;
    const char* digitsEnd = end;
    switch (end[-1]) {
    case 'B':
        base = 2;
        --digitsEnd;
        break;
    case 'H':
    case 'h':
        base = 16;
        --digitsEnd;
        break;
    case 'O':
        base = 8;
        --digitsEnd;
        break;
    default: break;
    }
    std::int32_t value = 0;
    for (const char* p = start; p < digitsEnd; ++p) {
        int d = digitValue(*p);
        if (d >= base) {
            s.error = DIAG_ILLEGAL_NUMBER_FORMAT;
            s.token = Token::End;
            return;
        }
        value = wrapAdd(wrapMul(value, base), d);
    }
    s.number = value;
    s.token = Token::Number;
}

} // namespace

void Expression::nextToken(ScanState& s) const {
    while (isWhiteSpace(*s.cursor)) {
        ++s.cursor;
    }
    char c = *s.cursor;
    if (c == '\0') {
        s.token = Token::End;
        return;
    }
    if (isAsciiLetter(c) || c == '_') {
        std::size_t n = 0;
        while (isAsciiLetter(*s.cursor) || isAsciiDigit(*s.cursor) || *s.cursor == '_') {
            if (n < sizeof s.name - 1) {
                s.name[n++] = *s.cursor;
            }
            ++s.cursor;
        }
        s.name[n] = '\0';
        s.nameLength = n;
        s.token = Token::Name;
        return;
    }
    if (isAsciiDigit(c)) {
        scanNumber(s);
        return;
    }
    if (c == '\'' && s.cursor[1] != '\0' && s.cursor[2] == '\'') {
        s.number = static_cast<signed char>(s.cursor[1]);
        s.cursor += 3;
        s.token = Token::Number;
        return;
    }
    if (c == '$') {
        s.number = s.location;
        s.type |= K_ADDR;
        ++s.cursor;
        s.token = Token::Number;
        return;
    }
    for (const auto& op : operators) {
        std::size_t len = std::strlen(op.text);
        if (std::strncmp(s.cursor, op.text, len) == 0) {
            s.cursor += len;
            s.token = op.token;
            return;
        }
    }
    s.token = Token::End;
    s.error = DIAG_EXPRESSION_SYNTAX;
}

std::int32_t Expression::primary(ScanState& s) const {
    switch (s.token) {
    case Token::Number: {
        std::int32_t value = s.number;
        nextToken(s);
        return value;
    }
    case Token::Name: {
        char name[sizeof s.name];
        std::memcpy(name, s.name, sizeof name);
        std::size_t length = s.nameLength;
        // The lookup comes after the next token is scanned, so an undefined name reports 26
        // even when the scan behind it failed.
        nextToken(s);
        const auto* symbol =
            static_cast<const SymbVal*>(s.table->lookup(std::string_view(name, length)));
        if (symbol == nullptr) {
            s.error = DIAG_UNDEFINED_SYMBOL;
            return 0;
        }
        s.type |= symbol->kind;
        return symbol->value;
    }
    case Token::LeftParen: {
        nextToken(s);
        std::int32_t value = binary(s, 1);
        if (s.error != 0) {
            return 0;
        }
        if (s.token != Token::RightParen) {
            s.error = DIAG_PAREN_EXPECTED;
            return 0;
        }
        nextToken(s);
        return value;
    }
    case Token::Plus:
    case Token::Minus:
    case Token::Complement:
    case Token::Not:
    case Token::Less:
    case Token::Greater: {
        Token op = s.token;
        nextToken(s);
        if (s.error != 0) {
            return 0;
        }
        std::int32_t x = primary(s);
        if (s.error != 0) {
            return 0;
        }
        switch (op) {
        case Token::Minus: return wrapSub(0, x);
        case Token::Complement: return ~x;
        case Token::Not: return x == 0 ? 1 : 0;
        case Token::Less: return x & 0xFF;
        case Token::Greater: return x >> 8;
        default: return x;
        }
    }
    default:
        // A token the scanner refused already carries its own code.
        if (s.error == 0) {
            s.error = DIAG_EXPRESSION_SYNTAX;
        }
        return 0;
    }
}

namespace {

// Binary operators by precedence level, 1 (lowest) to 9; 0 for a token that is none.
int levelOf(Token t) {
    switch (t) {
    case Token::LogicalOr: return 1;
    case Token::LogicalAnd: return 2;
    case Token::Less:
    case Token::LessEqual:
    case Token::Equal:
    case Token::NotEqual:
    case Token::GreaterEqual:
    case Token::Greater: return 3;
    case Token::BitOr: return 4;
    case Token::BitXor: return 5;
    case Token::BitAnd: return 6;
    case Token::ShiftLeft:
    case Token::ShiftRight: return 7;
    case Token::Plus:
    case Token::Minus: return 8;
    case Token::Product:
    case Token::Quotient:
    case Token::Remainder: return 9;
    default: return 0;
    }
}

} // namespace

std::int32_t Expression::combine(ScanState& s, Token op, std::int32_t left,
                                 std::int32_t right) const {
    switch (op) {
    case Token::LogicalOr: return (left != 0 || right != 0) ? 1 : 0;
    case Token::LogicalAnd: return (left != 0 && right != 0) ? 1 : 0;
    case Token::Less: return left < right ? 1 : 0;
    case Token::LessEqual: return left <= right ? 1 : 0;
    case Token::Equal: return left == right ? 1 : 0;
    case Token::NotEqual: return left != right ? 1 : 0;
    case Token::GreaterEqual: return left >= right ? 1 : 0;
    case Token::Greater: return left > right ? 1 : 0;
    case Token::BitOr: return left | right;
    case Token::BitXor: return left ^ right;
    case Token::BitAnd: return left & right;
    case Token::ShiftLeft:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(left)
                                         << (static_cast<unsigned>(right) & 31U));
    case Token::ShiftRight: return left >> (static_cast<unsigned>(right) & 31U);
    case Token::Plus: return wrapAdd(left, right);
    case Token::Minus: return wrapSub(left, right);
    case Token::Product: return wrapMul(left, right);
    default:
        if (right == 0) {
            s.error = DIAG_DIVISION_BY_ZERO;
            return 0;
        }
        if (left == INT32_MIN && right == -1) {
            // The one quotient that does not fit wraps round, as the arithmetic does elsewhere.
            return op == Token::Quotient ? INT32_MIN : 0;
        }
        return op == Token::Quotient ? left / right : left % right;
    }
}

// Every level is left-associative and parses its right operand in full at the next level up.
std::int32_t Expression::binary(ScanState& s, int minLevel) const {
    std::int32_t left = primary(s);
    for (int level = levelOf(s.token); s.error == 0 && level >= minLevel;
         level = levelOf(s.token)) {
        Token op = s.token;
        nextToken(s);
        std::int32_t right = binary(s, level + 1);
        if (s.error != 0) {
            return 0;
        }
        left = combine(s, op, left, right);
    }
    return s.error != 0 ? 0 : left;
}

EvalResult Expression::evaluate(const char* text, std::uint16_t location,
                                const STable& symbols) const {
    ScanState s;
    s.table = &symbols;
    s.location = location;
    s.cursor = text;
    nextToken(s);
    EvalResult result;
    if (s.token == Token::End && s.error == 0) {
        result.code = DIAG_EMPTY_OPERAND;
        return result;
    }
    std::int32_t value = binary(s, 1);
    result.type = static_cast<SymKind>(s.type & 0xFF);
    result.code = s.error;
    result.value = s.error != 0 ? 0 : value;
    return result;
}

void Expr51::nextToken(ScanState& s) const {
    while (isWhiteSpace(*s.cursor)) {
        ++s.cursor;
    }
    if (*s.cursor == '\0') {
        s.token = Token::End;
        return;
    }
    if (s.cursor[0] == '.' && s.cursor[1] >= '0' && s.cursor[1] <= '7') {
        s.number = s.cursor[1] - '0';
        s.cursor += 2;
        s.token = Token::BitSelect;
        return;
    }
    Expression::nextToken(s);
}

std::int32_t Expr51::primary(ScanState& s) const {
    std::int32_t value = Expression::primary(s);
    while (s.error == 0 && s.token == Token::BitSelect) {
        if ((s.type & (K_ADDR | K_BIT)) != 0) {
            s.error = DIAG_ILLEGAL_BIT_SELECTION;
            return 0;
        }
        s.type = static_cast<std::uint16_t>((s.type & ~K_REG) | K_BIT);
        std::int32_t bit = s.number;
        nextToken(s);
        if (value >= 0x20 && value <= 0x2F) {
            value = (value - 0x20) * 8 + bit;
        } else if (value >= 0x80 && value <= 0xF8 && value % 8 == 0) {
            value += bit;
        } else {
            s.error = DIAG_NOT_BIT_ADDRESSABLE;
            return 0;
        }
    }
    return s.error != 0 ? 0 : value;
}

} // namespace tasm
