#include "disassembler.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace tarnik {
namespace {

class DisassemblerTest : public ::testing::Test {
protected:
    DisassemblerTest() : code(program, monitor), disassembler(code) {}
    void put(std::uint16_t address, std::initializer_list<int> bytes) {
        for (int b : bytes) {
            if (address < 0x8000) {
                program.bytes[address] = static_cast<std::uint8_t>(b);
            } else {
                monitor.bytes[address - 0x8000U] = static_cast<std::uint8_t>(b);
            }
            ++address;
        }
    }
    ProgramImage program;
    MonitorImage monitor;
    CodeSpace code;
    Disassembler disassembler;
};

TEST_F(DisassemblerTest, LinesOfTheProgramView) {
    struct Case {
        int address;
        std::initializer_list<int> bytes;
        const char* line;
    };
    const Case cases[] = {
        {0x0000, {0x02, 0x01, 0x00}, "0000: 02 01 00  LJMP  0100H"},
        {0x0003, {0x00}, "0003: 00        NOP"},
        {0x0100, {0x80, 0xFE}, "0100: 80 FE     SJMP  0100H"},
        {0x0000, {0x85, 0xE0, 0xF0}, "0000: 85 E0 F0  MOV   B,ACC"},
    };
    for (const auto& c : cases) {
        put(static_cast<std::uint16_t>(c.address), c.bytes);
        DisasmLine line;
        disassembler.disassembleLine(line, static_cast<std::uint16_t>(c.address));
        EXPECT_STREQ(line.text, c.line);
    }
}

TEST_F(DisassemblerTest, InstructionTextsTargetsAndCallMarks) {
    struct Case {
        int address;
        std::initializer_list<int> bytes;
        const char* text;
        int next;
        bool isCall;
        int callTarget;
    };
    const Case cases[] = {
        {0x0000, {0x12, 0x80, 0x00}, "LCALL 8000H", 0x0003, true, 0x8000},
        {0x07FE, {0x11, 0x23}, "ACALL 0823H", 0x0800, true, 0x0823},
        {0x07FE, {0x31, 0x23}, "ACALL 0923H", 0x0800, true, 0x0923},
        {0x0000, {0xA5}, "UNDEFINED INSTRUCTION", 0x0001, false, 0},
        {0x0100, {0x80, 0xFE}, "SJMP  0100H", 0x0102, false, 0},
        {0xFFFE, {0x80, 0x7F}, "SJMP  007FH", 0x0000, false, 0},
        {0x0000, {0x90, 0x00, 0x12}, "MOV   DPTR,#12H", 0x0003, false, 0},
        {0x0000, {0x02, 0x00, 0x12}, "LJMP  0012H", 0x0003, false, 0},
        {0x0000, {0x90, 0xF0, 0x00}, "MOV   DPTR,#F000H", 0x0003, false, 0},
        {0x0000, {0x90, 0x00, 0x00}, "MOV   DPTR,#0H", 0x0003, false, 0},
        {0x0000, {0xC0, 0xC8}, "PUSH  INVALID", 0x0002, false, 0},
        {0x0000, {0xC0, 0xE0}, "PUSH  ACC", 0x0002, false, 0},
        {0x0000, {0xD0, 0x07}, "POP   07H", 0x0002, false, 0},
        {0x0000, {0x05, 0x30}, "INC   30H", 0x0002, false, 0},
        {0x0000, {0x75, 0x90, 0xFF}, "MOV   P1,#FFH", 0x0003, false, 0},
        {0x0000, {0xD2, 0x97}, "SETB  P1.7", 0x0002, false, 0},
        {0x0000, {0xB2, 0x07}, "CPL   20H.7", 0x0002, false, 0},
        {0x0000, {0xB2, 0x7F}, "CPL   2FH.7", 0x0002, false, 0},
        {0x0000, {0xA0, 0x97}, "ORL   C,/P1.7", 0x0002, false, 0},
        {0x0000, {0xC2, 0xCF}, "CLR   INVALID.7", 0x0002, false, 0},
        {0x0000, {0x92, 0xE7}, "MOV   ACC.7,C", 0x0002, false, 0},
        {0x0000, {0xE2}, "MOVX  A,@R0", 0x0001, false, 0},
        {0x0000, {0xF3}, "MOVX  @R1,A", 0x0001, false, 0},
        {0x0010, {0xDF, 0xFE}, "DJNZ  R7,0010H", 0x0012, false, 0},
        {0x0000, {0xB4, 0x10, 0x03}, "CJNE  A,#10H,0006H", 0x0003, false, 0},
        {0x0000, {0x20, 0x00, 0xFD}, "JB    20H.0,0000H", 0x0003, false, 0},
        {0x0000, {0xFF}, "MOV   R7,A", 0x0001, false, 0},
        {0x0000, {0xD5, 0x30, 0xFD}, "DJNZ  30H,0000H", 0x0003, false, 0},
        {0x0000, {0xB6, 0x05, 0x80}, "CJNE  @R0,#05H,FF83H", 0x0003, false, 0},
        {0x0000, {0x43, 0xA8, 0x81}, "ORL   IE,#81H", 0x0003, false, 0},
        {0x0000, {0x83}, "MOVC  A,@A+PC", 0x0001, false, 0},
        {0x0000, {0x73}, "JMP   @A+DPTR", 0x0001, false, 0},
        {0x0000, {0xA3}, "INC   DPTR", 0x0001, false, 0},
        {0x0000, {0xD6}, "XCHD  A,@R0", 0x0001, false, 0},
        {0x0000, {0xA6, 0x81}, "MOV   @R0,SP", 0x0002, false, 0},
        {0x0000, {0x22}, "RET", 0x0001, false, 0},
        {0x0000, {0x32}, "RETI", 0x0001, false, 0},
        {0x0000, {0xE1, 0x00}, "AJMP  0700H", 0x0002, false, 0},
        {0x8100, {0x21, 0x2C}, "AJMP  812CH", 0x8102, false, 0},
    };
    for (const auto& c : cases) {
        put(static_cast<std::uint16_t>(c.address), c.bytes);
        DisasmLine line;
        line.callTarget = 0;
        int next = disassembler.disassembleLine(line, static_cast<std::uint16_t>(c.address));
        EXPECT_STREQ(line.text + 16, c.text);
        EXPECT_EQ(next, c.next) << c.text;
        EXPECT_EQ(line.isCall, c.isCall) << c.text;
        EXPECT_EQ(line.callTarget, c.callTarget) << c.text;
        EXPECT_EQ(line.address, c.address) << c.text;
    }
}

TEST_F(DisassemblerTest, DecodingWrapsAndReadsOnlyTheInstructionsBytes) {
    put(0xFFFF, {0x02});
    put(0x0000, {0x12, 0x34});
    DisasmLine line;
    EXPECT_EQ(disassembler.disassembleLine(line, 0xFFFF), 0x0002);
    EXPECT_STREQ(line.text, "FFFF: 02 12 34  LJMP  1234H");
    // The monitor image before any identification is all FFh: MOV R7,A.
    disassembler.disassembleLine(line, 0x9000);
    EXPECT_STREQ(line.text, "9000: FF        MOV   R7,A");
}

TEST(OpcodeTable, LengthsAgreeWithAnIndependentDisassembler) {
    std::ifstream file(DISASM_DIR "/opcode_lengths_dis51.txt");
    std::string line;
    std::vector<int> lengths;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream row(line);
        for (int n; row >> n;) {
            lengths.push_back(n);
        }
    }
    ASSERT_EQ(lengths.size(), 256U);
    for (int op = 0; op < 256; ++op) {
        EXPECT_EQ(opcodeTable()[op]->length, lengths[static_cast<std::size_t>(op)]) << op;
    }
    EXPECT_EQ(instructionObjectCount(), 112);
}

TEST(OpcodeTable, SharedObjects) {
    const Mnemo51* const* t = opcodeTable();
    for (int op = 0x08; op <= 0x0F; ++op) {
        EXPECT_EQ(t[op], t[0x08]);
    }
    EXPECT_EQ(t[0x06], t[0x07]);
    EXPECT_EQ(t[0xE2], t[0xE3]);
    EXPECT_EQ(t[0xF2], t[0xF3]);
    for (int page = 0; page < 8; ++page) {
        EXPECT_EQ(t[page * 0x20 + 0x01], t[0x01]);
        EXPECT_EQ(t[page * 0x20 + 0x11], t[0x11]);
    }
    EXPECT_NE(t[0x01], t[0x11]);
}

TEST(Proc51, SfrNames) {
    int named = 0;
    for (int a = 0x80; a <= 0xFF; ++a) {
        std::string name = Proc_51::directRegister(static_cast<std::uint8_t>(a)).name();
        named += name != "INVALID" ? 1 : 0;
    }
    EXPECT_EQ(named, 21);
    EXPECT_STREQ(Proc_51::directRegister(0x99).name(), "SBUF");
    EXPECT_STREQ(Proc_51::directRegister(0xC8).name(), "INVALID");
    EXPECT_EQ(Proc_51::directRegister(0x7F).name(), nullptr);
}

} // namespace
} // namespace tarnik
