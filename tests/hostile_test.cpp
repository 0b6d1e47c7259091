// Sources that push macros and conditional assembly to and past their limits.
#include "asm/source/diagnostics.h"
#include "tests/support/assemble_text.h"

#include <gtest/gtest.h>

namespace tasm {
namespace {

using testing::assembleText;

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

std::string macroChain(int length) {
    std::string source;
    for (int i = 0; i < length; ++i) {
        source += "M" + std::to_string(i) + " MACRO\n";
        source += i + 1 < length ? "        M" + std::to_string(i + 1) + "\n" : "        DB 1\n";
        source += "        ENDM\n";
    }
    return source + "        M0\n        NOP\n";
}

TEST(Hostile, SixtyMacrosCallingEachOtherInAChain) {
    testing::Assembled a = assembleText(macroChain(60));
    EXPECT_EQ(a.counters.errorCount, 0);
    EXPECT_NE(a.listing.find("2>   1                          M2\r\n"), std::string::npos);
    EXPECT_NE(a.listing.find("9>   1                          M9\r\n"), std::string::npos);
    EXPECT_NE(a.listing.find("*>   1  0000: 01                DB 1\r\n"), std::string::npos);
    // After the expansions the numbering of the file goes on where it stopped.
    EXPECT_NE(a.listing.find("   182  0001: 00                NOP\r\n"), std::string::npos);
    EXPECT_EQ(a.hex, testing::crlf({":020000000100FD", ":00000001FF"}));
}

TEST(Hostile, AnExpansionDeeperThanTheLevelByteIsRefused) {
    testing::Assembled a = assembleText(macroChain(70));
    EXPECT_EQ(a.counters.errorCount, 1);
    EXPECT_EQ(count(a.listing, "***** _ERROR 37 : INFINITE MACRO EXPANSION *****"), 1);
    EXPECT_EQ(a.hex, "");
}

TEST(Hostile, SubstitutionThatOverflowsTheLineIsCutAndMarked) {
    std::string argument(150, 'Q');
    std::string source = "TEN MACRO P\n        DB P,P,P,P,P,P,P,P,P,P\n        ENDM\n"
                         " TEN " +
                         argument + "\n"; // a call line of 155 characters
    testing::Assembled a = assembleText(source);
    EXPECT_NE(a.listing.find("***** _ERROR 1 : SYNTAX _ERROR *****"), std::string::npos);
    EXPECT_EQ(a.hex, "");
    // The listed line is the one that was assembled: 160 characters.
    std::size_t at = a.listing.find(">    1  ");
    ASSERT_NE(at, std::string::npos);
    std::size_t end = a.listing.find("\r\n", at);
    EXPECT_EQ(end - at, 8U + 16U + 160U);
}

TEST(Hostile, AThousandNestedIfs) {
    std::string source;
    for (int i = 0; i < 1000; ++i) {
        source += "        IF 1\n";
    }
    source += "        DB 1\n        ELSE\n        DB 2\n";
    for (int i = 0; i < 1000; ++i) {
        source += "        ENDIF\n";
    }
    source += "        IF 0\n        DB 3\n        ENDIF\n        DB 4\n";
    testing::Assembled a = assembleText(source);
    EXPECT_EQ(a.counters.errorCount, 1000 - 16);
    EXPECT_NE(a.listing.find("      [1000]              IF 1"), std::string::npos);
    EXPECT_NE(a.listing.find("  0002:                   ENDIF") == std::string::npos, false);
    EXPECT_NE(a.listing.find("0002: 04                DB 4"), std::string::npos);
    EXPECT_EQ(a.listing.find("DB 3\r\n***"), std::string::npos);
}

TEST(Hostile, UnclosedIfAndMacroAtTheEnd) {
    testing::Assembled a = assembleText("        IF 1\nOPEN MACRO\n        NOP\n");
    EXPECT_EQ(a.counters.errorCount, 1); // 38 and 33 fall on the same line; the first stays
    EXPECT_NE(a.listing.find("NOP\r\n***** _ERROR 38 : UNCLOSED MACRO DEFINITION *****"),
              std::string::npos);
    testing::Assembled b = assembleText("        IF 1\n        NOP");
    EXPECT_NE(b.listing.find("NOP\r\n***** _ERROR 33 : UNCLOSED IF *****"), std::string::npos);
}

TEST(Hostile, IfOpenedInsideAnExpansionClosesOutsideIt) {
    testing::Assembled a = assembleText("OPENIF MACRO C\n        IF C\n        ENDM\n"
                                        "        OPENIF 0\n        DB 1\n        ENDIF\n"
                                        "        DB 2\n");
    EXPECT_EQ(a.counters.errorCount, 0);
    EXPECT_EQ(a.hex, testing::crlf({":0100000002FD", ":00000001FF"}));
}

} // namespace
} // namespace tasm
