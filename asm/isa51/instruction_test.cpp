#include "asm/isa51/predefined.h"
#include "asm/isa51/sfr_map.h"
#include "asm/source/diagnostics.h"
#include "tests/support/assemble_text.h"

#include <gtest/gtest.h>

namespace tasm {
namespace {

using testing::assembleLastLine;
using testing::LastLine;

struct Case {
    const char* source; // lines without a label begin with white space
    LastLine expected;
};

void checkAll(const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c) {
        EXPECT_EQ(assembleLastLine(c->source), c->expected) << c->source;
    }
}

template <std::size_t N> void checkAll(const Case (&cases)[N]) {
    checkAll(cases, cases + N);
}

TEST(Operands, FormsAndTheirChecks) {
    const Case cases[] = {
        {" MOV A,R7", {{0xEF}, 0}},
        {" MOV A,R8", {{0xE5, 0x00}, DIAG_UNDEFINED_SYMBOL}},
        {" MOV A,r1", {{0xE5, 0x00}, DIAG_UNDEFINED_SYMBOL}},
        {" MOV A,@R1", {{0xE7}, 0}},
        {" MOV A,@R2", {{0xE5, 0x00}, DIAG_EXPRESSION_SYNTAX}},
        {" MOV A,@R5", {{0xE5, 0x00}, DIAG_EXPRESSION_SYNTAX}},
        {" MOV A,#-1", {{0x74, 0xFF}, DIAG_NUMBER_TOO_LARGE}},
        {" MOV A,#0FFh", {{0x74, 0xFF}, 0}},
        {" ORG 80H\nLABEL: MOV A,#LABEL", {{0x74, 0x80}, 0}},
        {"START: MOV A,START", {{0xE5, 0x00}, DIAG_ILLEGAL_DIRECT}},
        {" MOV A,100h", {{0xE5, 0x00}, DIAG_DIRECT_OUT_OF_RANGE}},
        {" MOV A,0C0h", {{0xE5, 0xC0}, DIAG_NO_RAM_ADDRESS}},
        {" MOV A,7Fh", {{0xE5, 0x7F}, 0}},
        {" SETB P1", {{0xD2, 0x00}, DIAG_ILLEGAL_BIT}},
        {" SETB P1.1", {{0xD2, 0x91}, 0}},
        {" SETB 100h", {{0xD2, 0x00}, DIAG_NUMBER_TOO_LARGE}},
        {"L: SETB L", {{0xD2, 0x00}, DIAG_ILLEGAL_BIT}},
        {" LJMP P1", {{0x02, 0x00, 0x00}, DIAG_ILLEGAL_ADDRESS}},
        {" LJMP 10000h", {{0x02, 0x00, 0x00}, DIAG_DESTINATION_OUT_OF_64K}},
        {" LJMP TR0", {{0x02, 0x00, 0x00}, DIAG_ILLEGAL_ADDRESS}},
        {" ORG 07FEh\n AJMP 0800h", {{0x01, 0x00}, 0}},
        {" ORG 07FEh\n AJMP 0700h", {{0xE1, 0x00}, DIAG_NOT_SAME_2K_BLOCK}},
        {" ORG 0100h\n ACALL 0234h", {{0x51, 0x34}, 0}},
        {" ACALL 10000h", {{0x11, 0x00}, DIAG_DESTINATION_OUT_OF_64K}},
        {" SJMP $", {{0x80, 0xFE}, 0}},
        {" SJMP $+129", {{0x80, 0x7F}, 0}},
        {" SJMP $+130", {{0x80, 0x80}, DIAG_RELATIVE_TOO_LARGE}},
        {" ORG 100h\n SJMP $-126", {{0x80, 0x80}, 0}},
        {" ORG 100h\n SJMP $-127", {{0x80, 0x7F}, DIAG_RELATIVE_TOO_LARGE}},
        {" SJMP -1", {{0x80, 0x00}, DIAG_DESTINATION_OUT_OF_64K}},
        {" SJMP TR0", {{0x80, 0x00}, DIAG_ILLEGAL_ADDRESS}},
        {" SJMP P1.0", {{0x80, 0x00}, DIAG_EXPRESSION_SYNTAX}}, // no bit selection here,
        {" CJNE A,#1,$", {{0xB4, 0x01, 0xFD}, 0}},
        {" MOV A,#", {{0x74, 0x00}, DIAG_EMPTY_OPERAND}},
        {" MOV DPTR,#10000h", {{0x90, 0x00, 0x00}, DIAG_NUMBER_TOO_LARGE}},
        {" MOV DPTR,#-1", {{0x90, 0xFF, 0xFF}, DIAG_NUMBER_TOO_LARGE}},
        {" ANL C,/P1", {{0xB0, 0x00}, DIAG_ILLEGAL_BIT}},
    };
    checkAll(cases);
}

TEST(Mnemonics, CombinationsCodesAndGenericForms) {
    const Case cases[] = {
        {" MOVC A,@R0", {{}, DIAG_ILLEGAL_OPERAND_2}},
        {" MOVX R0,A", {{}, DIAG_ILLEGAL_OPERAND_1}},
        {" MOVX A,R0", {{}, DIAG_ILLEGAL_OPERAND_2}},
        {" JMP LOOP", {{}, DIAG_ILLEGAL_OPERAND_1}},
        {" JMP @A+DPTR", {{0x73}, 0}},
        {"SUB: NOP\n CALL SUB", {{0x12, 0x00, 0x00}, 0}},
        {" MUL A", {{}, DIAG_ILLEGAL_OPERAND_1}},
        {" MUL AB", {{0xA4}, 0}},
        {" NOP A", {{}, DIAG_OPERANDS_NUMBER}},
        {" MOV A", {{}, DIAG_OPERANDS_NUMBER}},
        {" INC A,R0", {{}, DIAG_EXTRA_CHARACTERS}},
        {" MOV A,,R0", {{}, DIAG_EMPTY_OPERAND}},
        {" MOV ,A", {{}, DIAG_EMPTY_OPERAND}},
        {" CJNE A,#1", {{}, DIAG_OPERANDS_NUMBER}},
        {" CJNE C,#1,$", {{}, DIAG_ILLEGAL_OPERAND_1}},
        {" CJNE A,R0,$", {{0xB5, 0x00, 0xFD}, DIAG_UNDEFINED_SYMBOL}},
        {" CJNE A,@R0,$", {{0xB5, 0x00, 0x00}, DIAG_EXPRESSION_SYNTAX}},
        {" MOV 30h,40h", {{0x85, 0x40, 0x30}, 0}},
        {" MOV 30h,#5", {{0x75, 0x30, 0x05}, 0}},
        {" MOV DPTR,#1234h", {{0x90, 0x12, 0x34}, 0}},
        {" ANL C,/ACC.7", {{0xB0, 0xE7}, 0}},
        {" ORL C,P1.0", {{0x72, 0x90}, 0}},
        {" CJNE R3,#10,$", {{0xBB, 0x0A, 0xFD}, 0}},
        {" DJNZ 30h,$", {{0xD5, 0x30, 0xFD}, 0}},
        {" MOV A,#300", {{0x74, 0x2C}, DIAG_NUMBER_TOO_LARGE}},
        {" INC A", {{0x04}, 0}},
        {" INC ACC", {{0x05, 0xE0}, 0}},
        {" MOV A,R0", {{0xE8}, 0}},
        {" MOV R0,A", {{0xF8}, 0}},
        {" mov a,b", {{}, DIAG_ILLEGAL_MNEMONIC}},
        {"MOV MACRO X\n MOV A,X\n ENDM\n MOV A,#1", {{0x74, 0x01}, 0}},
        {" MOV 0C0h,#300", {{0x75, 0xC0, 0x2C}, DIAG_NUMBER_TOO_LARGE}}, // an error replaces 42
        {" MOV 0C0h,0C1h", {{0x85, 0xC1, 0xC0}, DIAG_NO_RAM_ADDRESS}},
        {" XCHD A,@R1", {{0xD7}, 0}},
        {" JBC F0,$", {{0x10, 0xD5, 0xFD}, 0}},
    };
    checkAll(cases);
}

TEST(Mnemonics, ALineThatFailsTakesNoAddress) {
    EXPECT_EQ(assembleLastLine(" MOV A\n NOP A\n INC A,R0\nL: NOP\n SJMP L"),
              (LastLine{{0x80, 0xFD}, 0}));
    // Once a combination is chosen the instruction takes its full length, whatever the codes.
    EXPECT_EQ(assembleLastLine(" MOV A,#300\nL: NOP\n LJMP L"), (LastLine{{0x02, 0x00, 0x02}, 0}));
}

TEST(ForwardReferences, AreEncodedAfterTheLastLine) {
    const Case cases[] = {
        {" LJMP FWD\n NOP\nFWD: NOP\n ORG 0\nX: LJMP FWD", {{0x02, 0x00, 0x04}, 0}},
        {" SJMP FWD\n NOP\nFWD: NOP\n SJMP FWD2\nFWD2: NOP", {{0x00}, 0}},
        {" MOV DPTR,#TABLE\nTABLE: DB 1", {{0x01}, 0}},
    };
    checkAll(cases);

    testing::Assembled a = testing::assembleText(" LJMP FWD\n SJMP FWD\n CJNE A,#K,FWD\n"
                                                 " DJNZ R7,FWD\n JB FLAG,FWD\n MOV DPTR,#FWD\n"
                                                 " ACALL FWD\n MOV X,#K\nFWD: NOP\nK EQU 7\n"
                                                 "FLAG BIT 20h.1\nX REG 30h\n");
    EXPECT_EQ(a.counters.errorCount, 0);
    // The listing shows the bytes the update pass completed.
    EXPECT_NE(a.listing.find("     1  0000: 02 00 15   LJMP FWD\r\n"), std::string::npos);
    EXPECT_NE(a.listing.find("     8  0012: 75 30 07   MOV X,#K\r\n"), std::string::npos);
    EXPECT_EQ(a.hex, testing::crlf({":100000000200158010B4070DDF0B200108900015C9",
                                    ":0600100011157530070018", ":00000001FF"}));
}

TEST(ForwardReferences, ANameDefinedNowhereIsAnError) {
    testing::Assembled a = testing::assembleText("L: SJMP NOWHERE\n CJNE A,#1,NOWHERE\n");
    EXPECT_EQ(a.counters.errorCount, 2);
    EXPECT_EQ(a.hex, "");
    EXPECT_NE(a.listing.find("***** _ERROR 26 : UNDEFINED SYMBOL *****"), std::string::npos);
    // The deferred operand's last SET value is the one the update pass sees.
    EXPECT_EQ(testing::assembleText(" MOV A,#V\nV SET 1\nV SET 2\n").hex,
              testing::crlf({":02000000740288", ":00000001FF"}));
}

TEST(Predefined, BoardSfrAndBitNames) {
    const Case cases[] = {
        {" LCALL WRITE_TEXT", {{0x12, 0x81, 0x00}, 0}},
        {" ACALL DELAY_MS", {{0x31, 0x10}, DIAG_NOT_SAME_2K_BLOCK}},
        {" MOV A,CSDA", {{0xE5, 0x00}, DIAG_ILLEGAL_DIRECT}},
        {" MOV A,#CSDA", {{0x74, 0x08}, 0}},
        {" MOV DPTR,#CSMOD", {{0x90, 0x00, 0x40}, 0}},
        {" SETB EA", {{0xD2, 0xAF}, 0}},
        {" CLR CY", {{0xC2, 0xD7}, 0}},
        {" CLR C", {{0xC3}, 0}},
        {" MOV A,SBUF", {{0xE5, 0x99}, 0}},
        {" MOV SBUF,A", {{0xF5, 0x99}, 0}},
        {" SETB ACC.7", {{0xD2, 0xE7}, 0}},
        {" SETB B.0", {{0xD2, 0xF0}, 0}},
        {"CSX EQU 1", {{}, DIAG_MULTIPLE_DEFINED}},
        {" MOV A,#csx", {{0x74, 0x00}, DIAG_UNDEFINED_SYMBOL}},
        {" LCALL DIV_4_2", {{0x12, 0x81, 0x2A}, 0}},
        {" MOV A,#CSX", {{0x74, 0xC0}, 0}},
        {" PUSH PCON", {{0xC0, 0x87}, 0}},
        {" CPL RD", {{0xB2, 0xB7}, 0}},
    };
    checkAll(cases);
}

TEST(Predefined, EveryNameWithItsValueAndKind) {
    Table symbols(101);
    Proc_Tarnik tarnik(29);
    tarnik.predefine(symbols);
    int count = 0;
    for (int i = 0; i < symbols.bucketCount(); ++i) {
        for (const _String* e = symbols.bucket(i); e != nullptr; e = e->next) {
            ++count;
        }
    }
    EXPECT_EQ(count, 103);
    struct Named {
        const char* name;
        int value;
        SymKind kind;
    };
    const Named samples[] = {{"CSIC", 0x00, K_ADDR | K_CONST},
                             {"CSX", 0xC0, K_ADDR | K_CONST},
                             {"WRITE_TEXT", 0x8100, 5},
                             {"DIV_4_2", 0x812A, 5},
                             {"ACC", 0xE0, K_REG},
                             {"PCON", 0x87, K_REG},
                             {"IT0", 0x88, K_BIT},
                             {"CY", 0xD7, K_BIT},
                             {"P", 0xD0, K_BIT},
                             {"SM0", 0x9F, K_BIT}};
    for (const auto& s : samples) {
        auto* symbol = static_cast<const SymbVal*>(symbols.lookup(s.name));
        ASSERT_NE(symbol, nullptr) << s.name;
        EXPECT_EQ(symbol->value, s.value) << s.name;
        EXPECT_EQ(symbol->kind, s.kind) << s.name;
    }
    // The SFR names are exactly the addresses the map marks as existing.
    for (const PredefinedSymbol& s : sfrSymbols()) {
        EXPECT_TRUE(ramAddressExists(static_cast<std::uint8_t>(s.value))) << s.name;
    }
    int existing = 0;
    for (int a = 0x80; a <= 0xFF; ++a) {
        existing += ramAddressExists(static_cast<std::uint8_t>(a)) ? 1 : 0;
    }
    EXPECT_EQ(existing, 21);
}

TEST(MnemonicTable, HoldsTheFortyFiveMnemonics) {
    Proc_8051 p(29);
    int count = 0;
    for (int i = 0; i < p.mnemonics().bucketCount(); ++i) {
        for (const _String* e = p.mnemonics().bucket(i); e != nullptr; e = e->next) {
            ++count;
        }
    }
    EXPECT_EQ(count, 45);
    EXPECT_NE(p.mnemonics().lookup("MOV"), nullptr);
    EXPECT_EQ(p.mnemonics().lookup("mov"), nullptr);
}

} // namespace
} // namespace tasm
