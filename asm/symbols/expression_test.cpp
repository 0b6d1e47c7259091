#include "asm/source/diagnostics.h"
#include "expression.h"

#include <gtest/gtest.h>

namespace tasm {
namespace {

struct Case {
    const char* text;
    std::int32_t value;
    std::uint8_t code;
    SymKind type;
};

class EvaluatorTest : public ::testing::Test {
protected:
    EvaluatorTest() : symbols(101) {
        symbols.insert(new SymbVal("P1", 0x90, K_REG));
        symbols.insert(new SymbVal("ACC", 0xE0, K_REG));
        symbols.insert(new SymbVal("SP", 0x81, K_REG));
        symbols.insert(new SymbVal("START", 0x0123, K_ADDR));
        symbols.insert(new SymbVal("FLAG", 0x07, K_BIT | K_CONST));
        symbols.insert(new SymbVal("X", 5, K_CONST));
        symbols.insert(new SymbVal("FFh", 0x4242, K_CONST));
        symbols.insert(new SymbVal("NAME_OF_EXACTLY_THIRTY_TWO_CHARS", 9, K_CONST));
    }
    void check(const Expression& e, const Case& c, std::uint16_t location = 0x0100) {
        EvalResult r = e.evaluate(c.text, location, symbols);
        EXPECT_EQ(r.code, c.code) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
        if (c.code == 0) {
            EXPECT_EQ(r.type, c.type) << c.text;
        }
    }
    Table symbols;
};

TEST_F(EvaluatorTest, NumbersAndSuffixes) {
    const Case cases[] = {
        {"0FFh", 255, 0, 0},
        {"0ffh", 255, 0, 0},
        {"255", 255, 0, 0},
        {"377O", 255, 0, 0},
        {"11111111B", 255, 0, 0},
        {"FFh", 0x4242, 0, K_CONST}, // a name, not a number
        {"12Q", 0, DIAG_ILLEGAL_NUMBER_FORMAT, 0},
        {"1A", 0, DIAG_ILLEGAL_NUMBER_FORMAT, 0},
        {"101b", 0, DIAG_ILLEGAL_NUMBER_FORMAT, 0},
        {"12o", 0, DIAG_ILLEGAL_NUMBER_FORMAT, 0},
        {"2B", 0, DIAG_ILLEGAL_NUMBER_FORMAT, 0},
        {"8O", 0, DIAG_ILLEGAL_NUMBER_FORMAT, 0},
        {"0B", 0, 0, 0},
        {"4294967297", 1, 0, 0}, // wraps silently
        {"'A'", 65, 0, 0},
        {"'\xE9'", -23, 0, 0}, // bytes from 80h up are negative
        {"''", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"'AB'", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"$", 0x0100, 0, K_ADDR},
        {"$+2", 0x0102, 0, K_ADDR},
    };
    Expression e;
    for (const auto& c : cases) {
        check(e, c);
    }
}

TEST_F(EvaluatorTest, OperatorsAndPrecedence) {
    const Case cases[] = {
        {"1+2*3", 7, 0, 0},
        {"3 = 1 | 2", 1, 0, 0},
        {"2 = 2 | 1", 0, 0, 0},
        {"2 == 2", 1, 0, 0},
        {"8 >> 1", 4, 0, 0},
        {"-8 >> 1", -4, 0, 0},
        {"1 << 33", 2, 0, 0},
        {"-7 / 2", -3, 0, 0},
        {"-7 % 2", -1, 0, 0},
        {"7 % -2", 1, 0, 0},
        {"5 / 0", 0, DIAG_DIVISION_BY_ZERO, 0},
        {"5 % (3-3)", 0, DIAG_DIVISION_BY_ZERO, 0},
        {"(0-2147483647-1) / -1", INT32_MIN, 0, 0},
        {"(0-2147483647-1) % -1", 0, 0, 0},
        {"<1234h", 0x34, 0, 0},
        {">1234h", 0x12, 0, 0},
        {">(-1)", -1, 0, 0},
        {"0 && 1 || 1", 1, 0, 0},
        {"1 || 0 && 0", 1, 0, 0},
        {"X & 0Fh = 5", 1, 0, K_CONST},
        {"5 != 4", 1, 0, 0},
        {"3 <= 3", 1, 0, 0},
        {"-1 < 0", 1, 0, 0},
        {"4 >= 5", 0, 0, 0},
        {"6 ^ 3", 5, 0, 0},
        {"~0", -1, 0, 0},
        {"!0", 1, 0, 0},
        {"!7", 0, 0, 0},
        {"+5", 5, 0, 0},
        {"--5", 5, 0, 0},
        {"2147483647 + 1", INT32_MIN, 0, 0},
        {"65536 * 65536", 0, 0, 0},
    };
    Expression e;
    for (const auto& c : cases) {
        check(e, c);
    }
}

TEST_F(EvaluatorTest, ErrorsAndWhereEvaluationStops) {
    const Case cases[] = {
        {"", 0, DIAG_EMPTY_OPERAND, 0},
        {"   ", 0, DIAG_EMPTY_OPERAND, 0},
        {"5 6", 5, 0, 0},
        {"(5", 0, DIAG_PAREN_EXPECTED, 0},
        {"5)", 5, 0, 0},
        {"5 +", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"#5", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"@R5", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"\"A\"", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"5,6", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"\xC3\xA9", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"NOWHERE", 0, DIAG_UNDEFINED_SYMBOL, 0},
        {"NOWHERE#", 0, DIAG_UNDEFINED_SYMBOL, 0}, // the lookup comes after the next scan
        {"X#", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"acc", 0, DIAG_UNDEFINED_SYMBOL, 0},
        {"P1.3", 0, DIAG_EXPRESSION_SYNTAX, 0}, // no bit selection in the plain evaluator
        {"NAME_OF_EXACTLY_THIRTY_TWO_CHARS", 9, 0, K_CONST},
        {"NAME_OF_EXACTLY_THIRTY_TWO_CHARSX", 9, 0, K_CONST}, // looked up by 32 characters
    };
    Expression e;
    for (const auto& c : cases) {
        check(e, c);
    }
}

TEST_F(EvaluatorTest, TypeCollectsTheKindsOfAllSymbolsUsed) {
    Expression e;
    check(e, {"START+X", 0x0128, 0, K_ADDR | K_CONST});
    check(e, {"P1+1", 0x91, 0, K_REG});
    EvalResult failed = e.evaluate("START+NOWHERE", 0, symbols);
    EXPECT_EQ(failed.code, DIAG_UNDEFINED_SYMBOL);
    EXPECT_EQ(failed.type, K_ADDR); // the type is reported after a failure too
}

TEST_F(EvaluatorTest, BitSelection) {
    const Case cases[] = {
        {"P1.3", 0x93, 0, K_BIT},
        {"20h.0", 0, 0, K_BIT},
        {"2Fh.7", 0x7F, 0, K_BIT},
        {"ACC.7", 0xE7, 0, K_BIT},
        {"ACC . 7", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"(20h+1).2", 0x0A, 0, K_BIT},
        {"30h.0", 0, DIAG_NOT_BIT_ADDRESSABLE, 0},
        {"81h.1", 0, DIAG_NOT_BIT_ADDRESSABLE, 0},
        {"SP.1", 0, DIAG_NOT_BIT_ADDRESSABLE, 0},
        {"START.1", 0, DIAG_ILLEGAL_BIT_SELECTION, 0},
        {"FLAG.1", 0, DIAG_ILLEGAL_BIT_SELECTION, 0},
        {"P1.0.1", 0, DIAG_ILLEGAL_BIT_SELECTION, 0},
        {"P1.8", 0, DIAG_EXPRESSION_SYNTAX, 0},
        {"P1.3+1", 0x94, 0, K_BIT},
        {"-P1.3", -0x93, 0, K_BIT},
        {"0F8h.7", 0xFF, 0, K_BIT},
        {"0F9h.0", 0, DIAG_NOT_BIT_ADDRESSABLE, 0},
    };
    Expr51 e;
    for (const auto& c : cases) {
        check(e, c);
    }
}

} // namespace
} // namespace tasm
