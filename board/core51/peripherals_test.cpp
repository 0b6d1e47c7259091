// Timers, the serial port, external interrupts, the interrupt system and the power modes,
// against the rules of the 8051 data sheet.
#include "cpu51.h"

#include <gtest/gtest.h>
#include <vector>

namespace core51 {
namespace {

struct Line : Board51 {
    void serialSent(std::uint8_t byte, bool ninth, std::uint64_t cycle) override {
        sent.push_back({byte, ninth, cycle});
    }
    std::uint8_t serialShiftIn() override { return 0x3C; }
    struct Sent {
        std::uint8_t byte;
        bool ninth;
        std::uint64_t cycle;
    };
    std::vector<Sent> sent;
};

struct Machine {
    Machine() : cpu(code.data(), line) {}
    void load(std::initializer_list<int> bytes, std::uint16_t at = 0) {
        for (int b : bytes) {
            code[at++] = static_cast<std::uint8_t>(b);
        }
    }
    void steps(int n) {
        for (int i = 0; i < n; ++i) {
            cpu.step();
        }
    }
    std::array<std::uint8_t, 65536> code{}; // NOPs where nothing is loaded
    Line line;
    Cpu51 cpu;
};

constexpr std::uint8_t TF0 = 0x20, TF1 = 0x80, IE0 = 0x02, RI = 0x01, TI = 0x02;

TEST(Timers, ModesZeroToThree) {
    struct Case {
        const char* name;
        int tmod;
        int th, tl;
        int cycles; // NOPs run with the timer on
        int flags;  // TCON overflow flags expected
        int thAfter, tlAfter;
    };
    const Case cases[] = {
        {"mode 1 16-bit", 0x01, 0xFF, 0xFE, 2, TF0, 0x00, 0x00},
        {"mode 1 no overflow", 0x01, 0x12, 0x34, 3, 0, 0x12, 0x37},
        {"mode 0 13-bit", 0x00, 0xFF, 0x1E, 2, TF0, 0x00, 0x00},
        {"mode 0 TL's top bits stay", 0x00, 0x00, 0xFF, 1, 0, 0x01, 0xE0},
        {"mode 2 reloads", 0x02, 0x80, 0xFF, 3, TF0, 0x80, 0x82},
        {"mode 3 TL0 counts, TH0 needs TR1", 0x03, 0xFF, 0xFF, 1, TF0, 0xFF, 0x00},
    };
    for (const auto& c : cases) {
        Machine m;
        m.cpu.setSfr(TMOD, static_cast<std::uint8_t>(c.tmod));
        m.cpu.setSfr(TH0, static_cast<std::uint8_t>(c.th));
        m.cpu.setSfr(TL0, static_cast<std::uint8_t>(c.tl));
        m.cpu.setSfr(TCON, 0x10); // TR0
        m.steps(c.cycles);
        EXPECT_EQ(m.cpu.sfr(TCON) & (TF0 | TF1), c.flags) << c.name;
        EXPECT_EQ(m.cpu.sfr(TH0), c.thAfter) << c.name;
        EXPECT_EQ(m.cpu.sfr(TL0), c.tlAfter) << c.name;
    }
    // Mode 3: TH0 is a timer of its own, run by TR1, and it sets TF1.
    Machine m;
    m.cpu.setSfr(TMOD, 0x03);
    m.cpu.setSfr(TH0, 0xFE);
    m.cpu.setSfr(TCON, 0x40); // TR1 only
    m.steps(2);
    EXPECT_EQ(m.cpu.sfr(TCON) & TF1, TF1);
    EXPECT_EQ(m.cpu.sfr(TL0), 0x00);
}

TEST(Timers, GateAndCounterInputs) {
    Machine m;
    m.cpu.setSfr(TMOD, 0x09); // timer 0: GATE, mode 1
    m.cpu.setSfr(TCON, 0x10);
    m.cpu.setPortPins(3, 0xFB); // INT0 low: the gate is shut
    m.steps(5);
    EXPECT_EQ(m.cpu.sfr(TL0), 0);
    m.cpu.setPortPins(3, 0xFF);
    m.steps(5);
    EXPECT_EQ(m.cpu.sfr(TL0), 5);

    Machine counter;
    counter.cpu.setSfr(TMOD, 0x50); // timer 1 as a counter, mode 1
    counter.cpu.setSfr(TCON, 0x40);
    for (int i = 0; i < 3; ++i) {
        counter.cpu.setPortPins(3, 0xDF); // T1 falls
        counter.steps(2);
        counter.cpu.setPortPins(3, 0xFF);
        counter.steps(2);
    }
    EXPECT_EQ(counter.cpu.sfr(TL1), 3);
}

TEST(Interrupts, TimerOverflowVectorsAndClearsItsFlag) {
    Machine m;
    m.load({0x32}, 0x000B); // RETI
    m.cpu.setSfr(TMOD, 0x01);
    m.cpu.setSfr(TH0, 0xFF);
    m.cpu.setSfr(TL0, 0xFF);
    m.cpu.setSfr(IE, 0x82);
    m.cpu.setSfr(TCON, 0x10);
    m.steps(1); // NOP; TF0 set in its (only and so last) cycle
    EXPECT_EQ(m.cpu.pc, 1);
    m.steps(1); // the flag was set before this NOP's last cycle ended: served after it
    EXPECT_EQ(m.cpu.pc, 2);
    m.steps(1); // vectoring, then the RETI
    EXPECT_EQ(m.cpu.pc, 2);
    EXPECT_EQ(m.cpu.sfr(TCON) & TF0, 0);
    EXPECT_EQ(m.cpu.interruptLevelsActive(), 0);
}

TEST(Interrupts, PrioritiesAndPollingOrder) {
    Machine m;
    m.load({0x00, 0x80, 0xFE}, 0x0003); // INT0 handler: NOP, SJMP $ (stays in it)
    m.load({0x32}, 0x000B);
    m.cpu.setSfr(IE, 0x83);          // EX0, ET0
    m.cpu.setSfr(TCON, 0x21 | 0x02); // TF0 and IE0 both set, INT0 edge-triggered
    m.steps(2);
    // Same level: IE0 comes first in the polling order.
    EXPECT_GE(m.cpu.pc, 0x0003);
    EXPECT_LE(m.cpu.pc, 0x0005);
    EXPECT_EQ(m.cpu.sfr(TCON) & IE0, 0); // edge mode: cleared on vectoring
    m.steps(3);
    EXPECT_LE(m.cpu.pc, 0x0005); // the low-level TF0 waits
    EXPECT_EQ(m.cpu.sfr(TCON) & TF0, TF0);

    Machine high;
    high.load({0x80, 0xFE}, 0x0003);
    high.load({0x32}, 0x000B);
    high.cpu.setSfr(IP, 0x02); // timer 0 high priority
    high.cpu.setSfr(IE, 0x83);
    high.cpu.setSfr(TCON, 0x01 | 0x02);
    high.steps(3);
    ASSERT_LE(high.cpu.pc, 0x0004); // in the low-priority INT0 handler
    high.cpu.setSfr(TCON, static_cast<std::uint8_t>(high.cpu.sfr(TCON) | TF0));
    high.steps(3);
    EXPECT_EQ(high.cpu.sfr(TCON) & TF0, 0); // the high-priority timer interrupt got in
    EXPECT_EQ(high.cpu.interruptLevelsActive(), 1);
}

TEST(Interrupts, LevelTriggeredInt0RunsOneMainInstructionPerEntry) {
    // The monitor's single steps: INT0 held low, the handler ends in RETI, and exactly one
    // instruction of the main program runs between two entries.
    Machine m;
    m.load({0x02, 0x01, 0x00});                           // LJMP 0100H
    m.load({0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, 0x0100); // INC R0, six times
    m.load({0x05, 0x30, 0x32}, 0x0003);                   // INT0: INC 30H, RETI
    m.cpu.setSfr(IE, 0x81);
    m.cpu.setPortPins(3, 0xFB); // INT0 low, level-triggered (IT0 = 0)
    int entries = 0;
    std::vector<int> mainSteps;
    for (int i = 0; i < 40 && m.cpu.pc < 0x0106; ++i) {
        std::uint8_t before = m.cpu.iram[0];
        m.cpu.step();
        entries = m.cpu.iram[0x30];
        if (m.cpu.iram[0] != before) {
            mainSteps.push_back(entries);
        }
    }
    ASSERT_EQ(mainSteps.size(), 6U);
    for (std::size_t i = 1; i < mainSteps.size(); ++i) {
        EXPECT_EQ(mainSteps[i] - mainSteps[i - 1], 1) << "one handler entry between steps";
    }
    EXPECT_EQ(m.cpu.sfr(TCON) & IE0, IE0); // level mode: the flag follows the pin
    m.cpu.setPortPins(3, 0xFF);
    EXPECT_EQ(m.cpu.sfr(TCON) & IE0, 0);
}

TEST(Interrupts, AWriteToIeLetsOneMoreInstructionRun) {
    Machine m;
    m.load({0x75, 0xA8, 0x82, 0x00, 0x00}); // MOV IE,#82H, NOP, NOP
    m.load({0x80, 0xFE}, 0x000B);
    m.cpu.setSfr(TCON, TF0);
    m.steps(1);
    EXPECT_EQ(m.cpu.pc, 3);
    m.steps(1); // the NOP after the write still runs
    EXPECT_EQ(m.cpu.pc, 4);
    m.steps(1);
    EXPECT_EQ(m.cpu.pc, 0x000B);
}

TEST(Serial, Mode1At57600BaudFromTimer1) {
    Machine m;
    m.cpu.setSfr(TMOD, 0x20); // timer 1 mode 2
    m.cpu.setSfr(TH1, 0xFF);
    m.cpu.setSfr(TL1, 0xFF);
    m.cpu.setSfr(PCON, 0x80); // SMOD: an overflow each machine cycle, 16 a bit
    m.cpu.setSfr(TCON, 0x40);
    m.cpu.setSfr(SCON, 0x50);   // mode 1, REN
    m.load({0x75, 0x99, 0x41}); // MOV SBUF,#41H
    m.steps(1);
    std::uint64_t start = m.cpu.cycles;
    while ((m.cpu.sfr(SCON) & TI) == 0 && m.cpu.cycles < 1000) {
        m.cpu.step();
    }
    ASSERT_EQ(m.line.sent.size(), 1U);
    EXPECT_EQ(m.line.sent[0].byte, 0x41);
    // Start bit and eight data bits at 16 machine cycles each: 1 bit = 1/57600 s.
    EXPECT_NEAR(static_cast<double>(m.cpu.cycles - start), 9 * 16, 17);

    m.cpu.receiveSerial(0x5A);
    start = m.cpu.cycles;
    while ((m.cpu.sfr(SCON) & RI) == 0 && m.cpu.cycles < start + 1000) {
        m.cpu.step();
    }
    EXPECT_NEAR(static_cast<double>(m.cpu.cycles - start), 10 * 16, 17);
    EXPECT_EQ(m.cpu.receiveBuffer(), 0x5A);
    EXPECT_EQ(m.cpu.sfr(SCON) & 0x04, 0x04); // RB8: the stop bit

    // With RI still set, a further byte is lost.
    m.cpu.receiveSerial(0x66);
    m.steps(200);
    EXPECT_EQ(m.cpu.receiveBuffer(), 0x5A);
}

TEST(Serial, Modes0To3AndTheMultiprocessorBit) {
    Machine zero;
    zero.cpu.setSfr(SCON, 0x00);
    zero.load({0x75, 0x99, 0x12});
    zero.steps(1);
    zero.steps(8);
    EXPECT_EQ(zero.cpu.sfr(SCON) & TI, TI); // eight bits at one a machine cycle
    Machine rx;
    rx.cpu.setSfr(SCON, 0x10); // mode 0 with REN: reception starts
    rx.steps(10);
    EXPECT_EQ(rx.cpu.sfr(SCON) & RI, RI);
    EXPECT_EQ(rx.cpu.receiveBuffer(), 0x3C);

    Machine three;
    three.cpu.setSfr(TMOD, 0x20);
    three.cpu.setSfr(TH1, 0xFF);
    three.cpu.setSfr(TL1, 0xFF);
    three.cpu.setSfr(PCON, 0x80);
    three.cpu.setSfr(TCON, 0x40);
    three.cpu.setSfr(SCON, 0xF0 | 0x08); // mode 3, SM2, REN, TB8
    three.load({0x75, 0x99, 0x77});
    three.steps(300);
    ASSERT_EQ(three.line.sent.size(), 1U);
    EXPECT_TRUE(three.line.sent[0].ninth);
    three.cpu.receiveSerial(0x01, false); // SM2: a frame with the ninth bit 0 is ignored
    three.steps(300);
    EXPECT_EQ(three.cpu.sfr(SCON) & RI, 0);
    three.cpu.receiveSerial(0x02, true);
    three.steps(300);
    EXPECT_EQ(three.cpu.sfr(SCON) & RI, RI);
    EXPECT_EQ(three.cpu.receiveBuffer(), 0x02);

    Machine two;
    two.cpu.setSfr(SCON, 0x90); // mode 2: fosc/64, 11 bits
    two.cpu.receiveSerial(0x33, false);
    two.steps(100);
    EXPECT_EQ(two.cpu.sfr(SCON) & RI, RI);
    EXPECT_EQ(two.cpu.sfr(SCON) & 0x04, 0); // RB8 is the ninth bit
}

TEST(PowerModes, IdleWaitsForAnInterruptPowerDownForReset) {
    Machine m;
    m.load({0x75, 0x87, 0x01, 0x00}); // MOV PCON,#01H (idle), NOP
    m.load({0x32}, 0x000B);
    m.cpu.setSfr(TMOD, 0x02);
    m.cpu.setSfr(TH0, 0xF0);
    m.cpu.setSfr(TL0, 0xF0);
    m.cpu.setSfr(IE, 0x82);
    m.cpu.setSfr(TCON, 0x10);
    m.steps(1);
    EXPECT_TRUE(m.cpu.idle());
    std::uint64_t instructions = m.cpu.instructions;
    m.steps(10);
    EXPECT_EQ(m.cpu.instructions, instructions); // no instruction while idle
    m.steps(20);
    EXPECT_FALSE(m.cpu.idle()); // the timer's interrupt ended it
    EXPECT_GE(m.cpu.pc, 3);

    Machine down;
    down.load({0x75, 0x87, 0x02});
    down.steps(1);
    EXPECT_TRUE(down.cpu.poweredDown());
    down.steps(5);
    EXPECT_EQ(down.cpu.pc, 3);
    down.cpu.reset();
    EXPECT_FALSE(down.cpu.poweredDown());
}

} // namespace
} // namespace core51
