#include "asm/source/diagnostics.h"
#include "asm/source/source.h"
#include "statement.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tasm {
namespace {

TEST(StripComment, StopsAtTheFirstSemicolonOutsideQuotes) {
    struct Case {
        const char* raw;
        const char* work;
    };
    const Case cases[] = {
        {"MOV A,#5 ; load", "MOV A,#5 "},
        {"; only a comment", ""},
        {"DB ';'", "DB ';'"},
        {"DB \";\" ; x", "DB \";\" "},
        {"DB \"'\" ; x", "DB \"'\" "}, // a single quote inside a
                                       // double-quoted string
        {"DB '\";' ; x", "DB '\";' "}, // and the other way round
        {"DB 'open ; x", "DB 'open ; x"},
    };
    for (const auto& c : cases) {
        char work[LINE_CAPACITY];
        stripComment(c.raw, work);
        EXPECT_STREQ(work, c.work) << c.raw;
    }
}

TEST(SplitStatement, LabelAndMnemonic) {
    struct Case {
        const char* line;
        std::uint8_t code;
        int labelKind;
        const char* label;
        const char* mnemonic;
        const char* rest;
    };
    const Case cases[] = {
        {"LOOP: DJNZ R7,LOOP", 0, 1, "LOOP", "DJNZ", "R7,LOOP"},
        {"LOOP:DJNZ R7,LOOP", 0, 1, "LOOP", "DJNZ", "R7,LOOP"},
        {"COUNT EQU 10", 0, 2, "COUNT", "EQU", "10"},
        {"  EQU 10", 0, 0, "", "EQU", "10"},
        {"EQU 10", 0, 2, "EQU", "10", ""},
        {"1ST: NOP", DIAG_ILLEGAL_LABEL_CHAR, 0, "", "NOP", ""},
        {"A-B NOP", DIAG_ILLEGAL_LABEL_CHAR, 0, "", "NOP", ""},
        {": NOP", DIAG_ILLEGAL_LABEL_CHAR, 0, "", "NOP", ""},
        {"_x1:", 0, 1, "_x1", "", ""},
        {"ALONE", 0, 2, "ALONE", "", ""},
        {"", 0, 0, "", "", ""},
        {"   \t ", 0, 0, "", "", ""},
        {"\tMOV\tA,B", 0, 0, "", "MOV", "A,B"},
        {" NOP", 0, 0, "", "NOP", ""},
    };
    for (const auto& c : cases) {
        char line[LINE_CAPACITY];
        std::strcpy(line, c.line);
        Statement s;
        EXPECT_EQ(splitStatement(s, line), c.code) << c.line;
        EXPECT_EQ(s.labelKind, c.labelKind) << c.line;
        EXPECT_STREQ(s.label, c.label) << c.line;
        EXPECT_STREQ(s.mnemonic, c.mnemonic) << c.line;
        EXPECT_STREQ(s.cursor, c.rest) << c.line;
    }
}

TEST(NextOperand, CutsAtCommasOutsideQuotes) {
    struct Cut {
        int result;
        const char* text; // nullptr when there is none
    };
    struct Case {
        const char* operands;
        std::vector<Cut> cuts;
    };
    const Case cases[] = {
        {"A, R0", {{0, "A"}, {OPND_LAST, "R0"}, {OPND_NONE, nullptr}}},
        {"  5  ", {{OPND_LAST, "5"}, {OPND_NONE, nullptr}}},
        {"", {{OPND_NONE, nullptr}}},
        {"1,,2", {{0, "1"}, {OPND_EMPTY, nullptr}, {OPND_LAST, "2"}}},
        {",", {{OPND_EMPTY, nullptr}, {OPND_NONE, nullptr}}},
        {"1,", {{0, "1"}, {OPND_NONE, nullptr}}},
        {"'a,b',\"c,d\"", {{0, "'a,b'"}, {OPND_LAST, "\"c,d\""}}},
        {"'abc", {{OPND_LAST | OPND_OPENQUOTE, "'abc"}}},
        {"'ab\",c", {{OPND_LAST | OPND_OPENQUOTE, "'ab\",c"}}},
    };
    for (const auto& c : cases) {
        char line[LINE_CAPACITY];
        std::strcpy(line, c.operands);
        Statement s;
        s.cursor = line;
        for (const auto& cut : c.cuts) {
            const char* text = nullptr;
            EXPECT_EQ(nextOperand(s, text), cut.result) << c.operands;
            if (cut.text == nullptr) {
                EXPECT_EQ(text, nullptr) << c.operands;
            } else {
                EXPECT_STREQ(text, cut.text) << c.operands;
            }
        }
    }
}

TEST(SingleOperand, Codes) {
    struct Case {
        const char* operands;
        std::uint8_t code;
    };
    const Case cases[] = {{"5", 0},
                          {"", DIAG_MISSING_OPERAND},
                          {", 5", DIAG_EMPTY_OPERAND},
                          {"5,6", DIAG_EXTRA_CHARACTERS}};
    for (const auto& c : cases) {
        char line[LINE_CAPACITY];
        std::strcpy(line, c.operands);
        Statement s;
        s.cursor = line;
        const char* text = nullptr;
        EXPECT_EQ(singleOperand(s, text), c.code) << c.operands;
    }
}

} // namespace
} // namespace tasm
