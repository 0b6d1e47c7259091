// The instruction set: results, flags and machine cycles, opcode group by opcode group.
#include "cpu51.h"

#include <functional>
#include <gtest/gtest.h>

namespace core51 {
namespace {

struct Ram : Board51 {
    std::uint8_t readExternal(std::uint16_t a) override { return xdata[a]; }
    void writeExternal(std::uint16_t a, std::uint8_t v) override { xdata[a] = v; }
    std::array<std::uint8_t, 65536> xdata{};
};

struct Machine {
    Machine() : cpu(code.data(), board) {}
    void load(std::initializer_list<int> bytes, std::uint16_t at = 0) {
        for (int b : bytes) {
            code[at++] = static_cast<std::uint8_t>(b);
        }
    }
    std::array<std::uint8_t, 65536> code{};
    Ram board;
    Cpu51 cpu;
};

struct Case {
    const char* name;
    std::initializer_list<int> bytes;
    std::function<void(Cpu51&)> before;
    int a;                            // expected A, -1 not checked
    int psw;                          // expected PSW, -1 not checked
    int pc;                           // expected PC after the instruction
    int cycles;                       // machine cycles
    std::function<bool(Cpu51&)> also; // further expectations, or none
};

void run(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        Machine m;
        m.load(c.bytes);
        if (c.before) {
            c.before(m.cpu);
        }
        int taken = m.cpu.step();
        EXPECT_EQ(taken, c.cycles) << c.name;
        EXPECT_EQ(m.cpu.pc, c.pc) << c.name;
        if (c.a >= 0) {
            EXPECT_EQ(m.cpu.sfr(ACC), c.a) << c.name;
        }
        if (c.psw >= 0) {
            EXPECT_EQ(m.cpu.sfr(PSW), c.psw) << c.name;
        }
        if (c.also) {
            EXPECT_TRUE(c.also(m.cpu)) << c.name;
        }
    }
}

auto withA(int a, int psw = 0) {
    return [a, psw](Cpu51& cpu) {
        cpu.setSfr(ACC, static_cast<std::uint8_t>(a));
        cpu.setSfr(PSW, static_cast<std::uint8_t>(psw));
    };
}

TEST(Arithmetic, AddAddcSubbAndTheirFlags) {
    run({
        {"ADD no flags", {0x24, 0x01}, withA(0x01), 0x02, 0x01, 2, 1, {}},
        {"ADD AC", {0x24, 0x08}, withA(0x08), 0x10, 0x41, 2, 1, {}},
        {"ADD CY and AC", {0x24, 0xFB}, withA(0x05), 0x00, 0xC0, 2, 1, {}},
        {"ADD OV positive", {0x24, 0x40}, withA(0x40), 0x80, 0x05, 2, 1, {}},
        {"ADD OV negative", {0x24, 0x80}, withA(0x80), 0x00, 0x84, 2, 1, {}},
        {"ADDC carry in", {0x34, 0x00}, withA(0xFF, PSW_CY), 0x00, 0xC0, 2, 1, {}},
        {"ADD A,R3 bank 1",
         {0x2B},
         [](Cpu51& c) {
             c.setSfr(PSW, 0x08);
             c.iram[0x0B] = 0x22;
             c.setSfr(ACC, 0x11);
         },
         0x33,
         0x08,
         1,
         1,
         {}},
        {"SUBB borrow", {0x94, 0x01}, withA(0x00), 0xFF, 0xC0, 2, 1, {}},
        {"SUBB with borrow in", {0x94, 0x01}, withA(0x02, PSW_CY), 0x00, 0x00, 2, 1, {}},
        {"SUBB OV", {0x94, 0x01}, withA(0x80), 0x7F, 0x45, 2, 1, {}},
        {"SUBB OV the other way", {0x94, 0x80}, withA(0x7F), 0xFF, 0x84, 2, 1, {}},
        {"INC A wraps, no flags", {0x04}, withA(0xFF, PSW_CY), 0x00, PSW_CY, 1, 1, {}},
        {"DEC A", {0x14}, withA(0x00), 0xFF, 0x00, 1, 1, {}},
    });
}

TEST(Arithmetic, DecimalAdjust) {
    run({
        {"DA after 15+27", {0xD4}, withA(0x3C), 0x42, 0x00, 1, 1, {}},
        {"DA with AC", {0xD4}, withA(0x11, PSW_AC), 0x17, 0x40, 1, 1, {}},
        {"DA carries", {0xD4}, withA(0x9A), 0x00, 0x80, 1, 1, {}},
        {"DA keeps CY", {0xD4}, withA(0x00, PSW_CY), 0x60, 0x80, 1, 1, {}},
        {"DA high nibble", {0xD4}, withA(0xA0), 0x00, 0x80, 1, 1, {}},
    });
    // 99 + 01 in BCD is 00 with carry.
    Machine m;
    m.load({0x74, 0x99, 0x24, 0x01, 0xD4});
    m.cpu.step();
    m.cpu.step();
    m.cpu.step();
    EXPECT_EQ(m.cpu.sfr(ACC), 0x00);
    EXPECT_EQ(m.cpu.sfr(PSW) & PSW_CY, PSW_CY);
}

TEST(Arithmetic, MultiplyAndDivide) {
    auto ab = [](int a, int b) {
        return [a, b](Cpu51& c) {
            c.setSfr(ACC, static_cast<std::uint8_t>(a));
            c.setSfr(B, static_cast<std::uint8_t>(b));
            c.setSfr(PSW, PSW_CY);
        };
    };
    auto bIs = [](int b) { return [b](Cpu51& c) { return c.sfr(B) == b; }; };
    run({
        {"MUL small", {0xA4}, ab(12, 10), 120, 0x00, 1, 4, bIs(0)},
        {"MUL OV", {0xA4}, ab(0x80, 0x04), 0x00, 0x04, 1, 4, bIs(0x02)},
        {"MUL FF FF", {0xA4}, ab(0xFF, 0xFF), 0x01, 0x05, 1, 4, bIs(0xFE)},
        {"DIV", {0x84}, ab(251, 18), 13, 0x01, 1, 4, bIs(17)},
        {"DIV by 0 sets OV", {0x84}, ab(7, 0), 7, 0x05, 1, 4, bIs(0)},
    });
}

TEST(Logic, RotatesComplementsAndParity) {
    run({
        {"RL", {0x23}, withA(0x81), 0x03, 0x00, 1, 1, {}},
        {"RR", {0x03}, withA(0x81), 0xC0, 0x00, 1, 1, {}},
        {"RLC out", {0x33}, withA(0x80), 0x00, 0x80, 1, 1, {}},
        {"RLC in", {0x33}, withA(0x00, PSW_CY), 0x01, 0x01, 1, 1, {}},
        {"RRC in and out", {0x13}, withA(0x01, PSW_CY), 0x80, 0x81, 1, 1, {}},
        {"SWAP", {0xC4}, withA(0x5A), 0xA5, 0x00, 1, 1, {}},
        {"CPL A", {0xF4}, withA(0x0F), 0xF0, 0x00, 1, 1, {}},
        {"CLR A", {0xE4}, withA(0x07), 0x00, 0x00, 1, 1, {}},
        {"ANL A,#", {0x54, 0x0F}, withA(0x37), 0x07, 0x01, 2, 1, {}},
        {"ORL A,#", {0x44, 0x80}, withA(0x01), 0x81, 0x00, 2, 1, {}},
        {"XRL A,#", {0x64, 0xFF}, withA(0x0F), 0xF0, 0x00, 2, 1, {}},
        {"ORL direct,#",
         {0x43, 0x30, 0x81},
         [](Cpu51& c) { c.iram[0x30] = 0x02; },
         0x00,
         0x00,
         3,
         2,
         [](Cpu51& c) { return c.iram[0x30] == 0x83; }},
        {"XRL direct,A",
         {0x62, 0x30},
         [](Cpu51& c) {
             c.iram[0x30] = 0xFF;
             c.setSfr(ACC, 0x0F);
         },
         0x0F,
         0x00,
         2,
         1,
         [](Cpu51& c) { return c.iram[0x30] == 0xF0; }},
        {"parity follows A written by MOV", {0x74, 0x07}, {}, 0x07, 0x01, 2, 1, {}},
        {"parity of a byte written to ACC directly", {0x75, 0xE0, 0x01}, {}, 0x01, 0x01, 3, 2, {}},
    });
}

TEST(Moves, AddressingModes) {
    run({
        {"MOV A,Rn", {0xEF}, [](Cpu51& c) { c.iram[7] = 0x42; }, 0x42, 0x00, 1, 1, {}},
        {"MOV A,@Ri",
         {0xE7},
         [](Cpu51& c) {
             c.iram[1] = 0x40;
             c.iram[0x40] = 0x99;
         },
         0x99,
         0x00,
         1,
         1,
         {}},
        {"MOV @Ri above 7FH reads nothing",
         {0xE6},
         [](Cpu51& c) { c.iram[0] = 0x90; },
         0xFF,
         0x00,
         1,
         1,
         {}},
        {"MOV direct,direct: source first",
         {0x85, 0x30, 0x31},
         [](Cpu51& c) { c.iram[0x30] = 0x12; },
         -1,
         -1,
         3,
         2,
         [](Cpu51& c) { return c.iram[0x31] == 0x12; }},
        {"MOV DPTR,#",
         {0x90, 0x12, 0x34},
         {},
         -1,
         -1,
         3,
         2,
         [](Cpu51& c) { return c.dptr() == 0x1234; }},
        {"INC DPTR wraps",
         {0xA3},
         [](Cpu51& c) {
             c.setSfr(DPH, 0xFF);
             c.setSfr(DPL, 0xFF);
         },
         -1,
         -1,
         1,
         2,
         [](Cpu51& c) { return c.dptr() == 0; }},
        {"MOVC A,@A+DPTR",
         {0x93, 0x00, 0x00, 0x5A},
         [](Cpu51& c) { c.setSfr(ACC, 3); },
         0x5A,
         0x00,
         1,
         2,
         {}},
        {"MOVC A,@A+PC",
         {0x83, 0x00, 0x77},
         [](Cpu51& c) { c.setSfr(ACC, 1); },
         0x77,
         0x00,
         1,
         2,
         {}},
        {"XCH A,direct",
         {0xC5, 0x30},
         [](Cpu51& c) {
             c.iram[0x30] = 0x11;
             c.setSfr(ACC, 0x22);
         },
         0x11,
         0x00,
         2,
         1,
         [](Cpu51& c) { return c.iram[0x30] == 0x22; }},
        {"XCHD",
         {0xD6},
         [](Cpu51& c) {
             c.iram[0] = 0x20;
             c.iram[0x20] = 0x75;
             c.setSfr(ACC, 0x36);
         },
         0x35,
         0x00,
         1,
         1,
         [](Cpu51& c) { return c.iram[0x20] == 0x76; }},
        {"PUSH and SP",
         {0xC0, 0xE0},
         [](Cpu51& c) { c.setSfr(ACC, 0x55); },
         0x55,
         0x00,
         2,
         2,
         [](Cpu51& c) { return c.sfr(SP) == 8 && c.iram[8] == 0x55; }},
        {"POP",
         {0xD0, 0xF0},
         [](Cpu51& c) { c.iram[7] = 0x66; },
         -1,
         -1,
         2,
         2,
         [](Cpu51& c) { return c.sfr(SP) == 6 && c.sfr(B) == 0x66; }},
        {"MOV to an SFR the 8051 lacks",
         {0x75, 0xC8, 0x12},
         {},
         -1,
         -1,
         3,
         2,
         [](Cpu51& c) { return c.sfr(0xC8) == 0; }},
    });
}

TEST(Moves, ExternalData) {
    Machine m;
    m.board.xdata[0x1234] = 0xAB;
    m.load({0x90, 0x12, 0x34, 0xE0, 0x75, 0xA0, 0x56, 0x78, 0x78, 0xF2});
    m.cpu.step();
    EXPECT_EQ(m.cpu.step(), 2);
    EXPECT_EQ(m.cpu.sfr(ACC), 0xAB);
    m.cpu.step(); // P2 = 56H
    m.cpu.step(); // R0 = 78H
    m.cpu.step(); // MOVX @R0,A: P2 is the high byte
    EXPECT_EQ(m.board.xdata[0x5678], 0xAB);
}

TEST(Bits, BitOperationsAndThePortLatch) {
    run({
        {"SETB C", {0xD3}, {}, -1, 0x80, 1, 1, {}},
        {"CPL C", {0xB3}, withA(0, PSW_CY), -1, 0x00, 1, 1, {}},
        {"SETB bit in RAM",
         {0xD2, 0x03},
         {},
         -1,
         -1,
         2,
         1,
         [](Cpu51& c) { return c.iram[0x20] == 0x08; }},
        {"CLR ACC.7", {0xC2, 0xE7}, withA(0xFF), 0x7F, 0x01, 2, 1, {}},
        {"MOV C,bit", {0xA2, 0x7F}, [](Cpu51& c) { c.iram[0x2F] = 0x80; }, -1, 0x80, 2, 1, {}},
        {"MOV bit,C",
         {0x92, 0x00},
         withA(0, PSW_CY),
         -1,
         -1,
         2,
         2,
         [](Cpu51& c) { return c.iram[0x20] == 0x01; }},
        {"ANL C,/bit", {0xB0, 0x00}, withA(0, PSW_CY), -1, 0x80, 2, 2, {}},
        {"ORL C,bit", {0x72, 0x00}, [](Cpu51& c) { c.iram[0x20] = 1; }, -1, 0x80, 2, 2, {}},
        {"JB taken", {0x20, 0x00, 0x10}, [](Cpu51& c) { c.iram[0x20] = 1; }, -1, -1, 0x13, 2, {}},
        {"JNB not taken", {0x30, 0x00, 0x10}, [](Cpu51& c) { c.iram[0x20] = 1; }, -1, -1, 3, 2, {}},
        {"JBC clears",
         {0x10, 0x00, 0xFD},
         [](Cpu51& c) { c.iram[0x20] = 1; },
         -1,
         -1,
         0x0000,
         2,
         [](Cpu51& c) { return c.iram[0x20] == 0; }},
    });
    // A pin held low reads low; read-modify-write works on the latch.
    Machine m;
    m.load({0xE5, 0x90, 0xB2, 0x97, 0x20, 0x90, 0x00});
    m.cpu.setPortPins(1, 0xFE);
    m.cpu.step();
    EXPECT_EQ(m.cpu.sfr(ACC), 0xFE); // MOV A,P1 reads the pins
    m.cpu.step();                    // CPL P1.7 works on the latch FFh
    EXPECT_EQ(m.cpu.sfr(P1), 0x7F);
    m.cpu.step(); // JB P1.0: the pin is low
    EXPECT_EQ(m.cpu.pc, 7);
}

TEST(Jumps, RelativeLongAbsoluteAndCompare) {
    run({
        {"SJMP back", {0x80, 0xFE}, {}, -1, -1, 0x0000, 2, {}},
        {"JZ taken", {0x60, 0x05}, withA(0), -1, -1, 7, 2, {}},
        {"JNZ not taken", {0x70, 0x05}, withA(0), -1, -1, 2, 2, {}},
        {"JC", {0x40, 0x02}, withA(0, PSW_CY), -1, -1, 4, 2, {}},
        {"LJMP", {0x02, 0x12, 0x34}, {}, -1, -1, 0x1234, 2, {}},
        {"AJMP page 7", {0xE1, 0x23}, {}, -1, -1, 0x0723, 2, {}},
        {"JMP @A+DPTR",
         {0x73},
         [](Cpu51& c) {
             c.setSfr(ACC, 0x10);
             c.setSfr(DPL, 0x20);
         },
         -1,
         -1,
         0x30,
         2,
         {}},
        {"CJNE less sets CY", {0xB4, 0x10, 0x05}, withA(0x0F), -1, 0x80 | 0x00, 8, 2, {}},
        {"CJNE equal clears CY", {0xB4, 0x10, 0x05}, withA(0x10, PSW_CY), -1, 0x01, 3, 2, {}},
        {"CJNE Rn", {0xBF, 0x01, 0xFD}, [](Cpu51& c) { c.iram[7] = 2; }, -1, 0x00, 0x0000, 2, {}},
        {"DJNZ Rn",
         {0xDF, 0xFE},
         [](Cpu51& c) { c.iram[7] = 1; },
         -1,
         -1,
         2,
         2,
         [](Cpu51& c) { return c.iram[7] == 0; }},
        {"DJNZ direct",
         {0xD5, 0x30, 0xFD},
         [](Cpu51& c) { c.iram[0x30] = 0; },
         -1,
         -1,
         0x0000,
         2,
         [](Cpu51& c) { return c.iram[0x30] == 0xFF; }},
        {"A5h is a one-cycle no-op", {0xA5}, {}, -1, -1, 1, 1, {}},
    });
}

TEST(Calls, CallsReturnsAndTheStack) {
    Machine m;
    m.load({0x12, 0x01, 0x00});   // LCALL 0100H
    m.load({0x31, 0x10}, 0x0100); // ACALL 0110H
    m.load({0x22}, 0x0110);       // RET
    m.load({0x22}, 0x0102);       // RET
    EXPECT_EQ(m.cpu.step(), 2);
    EXPECT_EQ(m.cpu.pc, 0x0100);
    EXPECT_EQ(m.cpu.sfr(SP), 0x09);
    EXPECT_EQ(m.cpu.iram[8], 0x03); // low byte first
    EXPECT_EQ(m.cpu.iram[9], 0x00);
    m.cpu.step();
    EXPECT_EQ(m.cpu.pc, 0x0110);
    m.cpu.step();
    EXPECT_EQ(m.cpu.pc, 0x0102);
    m.cpu.step();
    EXPECT_EQ(m.cpu.pc, 0x0003);
    EXPECT_EQ(m.cpu.sfr(SP), 0x07);
    EXPECT_EQ(m.cpu.cycles, 8U);
}

TEST(Reset, StateAsTheDataSheetSays) {
    Machine m;
    m.cpu.setSfr(ACC, 5);
    m.cpu.iram[0x30] = 7;
    m.cpu.reset();
    EXPECT_EQ(m.cpu.pc, 0);
    EXPECT_EQ(m.cpu.sfr(SP), 0x07);
    for (std::uint8_t port : {P0, P1, P2, P3}) {
        EXPECT_EQ(m.cpu.sfr(port), 0xFF);
    }
    EXPECT_EQ(m.cpu.sfr(ACC), 0);
    EXPECT_EQ(m.cpu.iram[0x30], 0);
    EXPECT_EQ(m.cpu.cycles, 0U);
}

TEST(Cycles, EveryOpcodeTakesItsDataSheetCycles) {
    // Machine cycles by opcode, from the MCS-51 instruction table.
    const int expected[256] = {
        1, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 0x
        2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 1x
        2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 2x
        2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 3x
        2, 2, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 4x
        2, 2, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 5x
        2, 2, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 6x
        2, 2, 2, 2, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 7x
        2, 2, 2, 2, 4, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, // 8x
        2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 9x
        2, 2, 1, 2, 4, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, // Ax
        2, 2, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, // Bx
        2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // Cx
        2, 2, 1, 1, 1, 2, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, // Dx
        2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // Ex
        2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // Fx
    };
    for (int op = 0; op < 256; ++op) {
        Machine m;
        m.load({op, 0x00, 0x00});
        m.cpu.setSfr(B, 1);
        EXPECT_EQ(m.cpu.step(), expected[op]) << std::hex << op;
    }
}

} // namespace
} // namespace core51
