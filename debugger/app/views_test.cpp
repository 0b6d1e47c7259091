#include "views.h"

#include <gtest/gtest.h>

namespace tarnik {
namespace {

class SourcerTest : public ::testing::Test {
protected:
    SourcerTest() : code(program, monitor), disassembler(code), sourcer(disassembler) {
        program.bytes.fill(0x00);     // NOPs: straight-line code, one byte each
        program.bytes[0x0040] = 0x02; // LJMP 0100H, three bytes at 0040H
        program.bytes[0x0041] = 0x01;
        program.bytes[0x0042] = 0x00;
    }
    ProgramImage program;
    MonitorImage monitor;
    CodeSpace code;
    Disassembler disassembler;
    Sourcer sourcer;
};

TEST_F(SourcerTest, FollowsStraightLineCodeThenScrolls) {
    sourcer.rebuild(0x0000);
    EXPECT_EQ(sourcer.current(), 0);
    EXPECT_EQ(sourcer.line(0).address, 0x0000);
    EXPECT_EQ(sourcer.line(21).address, 0x0015);
    for (int pc = 1; pc <= 19; ++pc) {
        sourcer.follow(static_cast<std::uint16_t>(pc));
        EXPECT_EQ(sourcer.current(), pc);
        EXPECT_EQ(sourcer.line(0).address, 0x0000);
    }
    // From index 19 on, every step scrolls by one line.
    sourcer.follow(20);
    EXPECT_EQ(sourcer.current(), 19);
    EXPECT_EQ(sourcer.line(0).address, 0x0001);
    EXPECT_EQ(sourcer.line(21).address, 0x0016);
    sourcer.follow(21);
    EXPECT_EQ(sourcer.current(), 19);
    EXPECT_EQ(sourcer.line(0).address, 0x0002);
}

TEST_F(SourcerTest, JumpsInsideAndOutsideTheWindow) {
    sourcer.rebuild(0x0030);
    sourcer.follow(0x0035);
    EXPECT_EQ(sourcer.current(), 5);
    sourcer.follow(0x0031); // a visible line: only the highlight moves
    EXPECT_EQ(sourcer.current(), 1);
    EXPECT_EQ(sourcer.line(0).address, 0x0030);
    sourcer.follow(0x0041); // inside the LJMP at 0040H: drawn again from there
    EXPECT_EQ(sourcer.current(), 0);
    EXPECT_EQ(sourcer.line(0).address, 0x0041);
    sourcer.rebuild(0x0000);
    sourcer.follow(0x0014); // visible, but among the last two lines: scrolled up
    EXPECT_EQ(sourcer.line(sourcer.current()).address, 0x0014);
    EXPECT_EQ(sourcer.current(), 19);
    sourcer.follow(0x0100);
    EXPECT_EQ(sourcer.line(0).address, 0x0100);
}

TEST(RamContents, RowsAndTheRegisterBank) {
    std::array<std::uint8_t, 128> ram{};
    ListContents rows = ramContents(ram, 0x10);
    ASSERT_EQ(rows.items.size(), 16U);
    EXPECT_EQ(rows.items[3], "18: 00 00 00 00 00 00 00 00");
    EXPECT_EQ(rows.selected, 2);
    ram[0x7F] = 0xAB;
    EXPECT_EQ(ramContents(ram, 0x18).items[15], "78: 00 00 00 00 00 00 00 AB");
    EXPECT_EQ(ramContents(ram, 0x18).selected, 3);
}

TEST(RegisterContents, ValueBoxes) {
    TarnikRS link;
    link.registers[REG_PSW] = 0x91; // CY, RS1, P
    link.registers[REG_ACC] = 0x5A;
    link.registers[REG_SP] = 0x07;
    link.pc = 0x0123;
    for (int i = 0; i < 8; ++i) {
        link.ram[static_cast<std::size_t>(0x10 + i)] = static_cast<std::uint8_t>(0xA0 + i);
    }
    RegisterTexts t = registerContents(link);
    EXPECT_EQ(t["ACC"], "5A");
    EXPECT_EQ(t["SP"], "07");
    EXPECT_EQ(t["PC"], "0123");
    EXPECT_EQ(t["R0"], "A0");
    EXPECT_EQ(t["R7"], "A7");
    EXPECT_EQ(t["CY"], "1");
    EXPECT_EQ(t["AC"], "0");
    EXPECT_EQ(t["RS1"], "1");
    EXPECT_EQ(t["RS0"], "0");
    EXPECT_EQ(t["P"], "1");
    EXPECT_EQ(t.values.size(), 32U);
}

TEST(StackWindow, FollowsSpAndMasksTheMonitorsBytes) {
    std::array<std::uint8_t, 128> ram{};
    ram[0x07] = 0x3A;
    StackWindow w;
    w.reset();
    EXPECT_FALSE(w.followSp(7));
    ListContents lines = stackContents(w, 7, ram);
    EXPECT_EQ(lines.items.front(), "  15:00");
    EXPECT_EQ(lines.items[14], "> 07:3A");
    EXPECT_EQ(lines.items[15], "  06:00");
    for (int i = 10; i <= 13; ++i) {
        EXPECT_EQ(lines.items[static_cast<std::size_t>(i)].substr(5), "XX"); // 08H to 0BH
    }
    EXPECT_EQ(lines.items[9], "  0C:00");

    EXPECT_TRUE(w.followSp(9)); // a small move: same addresses, the marker two lines up
    lines = stackContents(w, 9, ram);
    EXPECT_EQ(lines.items.front(), "  15:00");
    EXPECT_EQ(lines.items[12], "> 09:00");

    w.reset();
    EXPECT_TRUE(w.followSp(0x30)); // a jump: SP second from the bottom
    lines = stackContents(w, 0x30, ram);
    EXPECT_EQ(lines.items.front().substr(0, 5), "  3E:");
    EXPECT_EQ(lines.items[15].substr(0, 5), "  2F:");

    w.followSp(0x7C);
    lines = stackContents(w, 0x7C, ram);
    EXPECT_EQ(lines.items.front(), "  8A:XX");
    EXPECT_EQ(lines.items[14].substr(0, 5), "> 7C:");
    for (const auto& line : lines.items) {
        int a = std::stoi(line.substr(2, 2), nullptr, 16);
        if (a > 0x7C) {
            EXPECT_EQ(line.substr(5), "XX") << line;
        }
    }
    w.followSp(0); // SP 00H: at the bottom
    EXPECT_EQ(stackContents(w, 0, ram).items[15].substr(0, 5), "> 00:");
    w.followSp(0xF8);
    EXPECT_EQ(stackContents(w, 0xF8, ram).items.front().substr(0, 5), "  FF:");
}

} // namespace
} // namespace tarnik
