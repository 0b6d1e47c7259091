// The debugger's commands and states, with a fake user interface and a scripted board on a
// pseudo-terminal.
#include "debugger_core.h"
#include "tests/support/board_peer.h"
#include "tests/support/hex_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tarnik {
namespace {

using testing::BoardPeer;
using testing::Bytes;
using testing::hexFile;

struct FakeUi : DebuggerInterface {
    void showMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + "|" + text);
    }
    void showProgram(const ListContents& lines) override { program = lines; }
    void showRam(const ListContents& rows) override { ram = rows; }
    void showRegisters(const RegisterTexts& values) override { registers = values; }
    void showStack(const ListContents& lines) override { stack = lines; }
    void setViewsEnabled(bool enabled) override {
        viewsEnabled = enabled;
        ++viewChanges;
    }
    void setWaitTimer(bool enabled) override { timer = enabled; }
    std::optional<std::string> chooseHexFile() override { return chosen; }
    void showHelp() override { ++helps; }
    void showAbout() override { ++abouts; }
    void closeWindow() override { closed = true; }
    void stateChanged() override {}

    std::vector<std::string> messages;
    ListContents program, ram, stack;
    RegisterTexts registers;
    bool viewsEnabled = true;
    int viewChanges = 0;
    bool timer = false;
    std::optional<std::string> chosen;
    int helps = 0, abouts = 0;
    bool closed = false;
};

const Bytes program = testing::stepProgram();

class DebuggerTest : public ::testing::Test {
protected:
    DebuggerTest() : link(ports(), [](std::chrono::milliseconds) {}), core(link, ui) {
        hex = hexFile("tarnik-core-test.hex", 0x0000, program);
        peer.model.registers[REG_SP] = 0x07; // as after a reset
        // The board follows the program: LJMP to 0100H, calls into their targets.
        peer.model.stepTo = [](std::uint16_t pc) -> std::uint16_t {
            switch (pc) {
            case 0x0000: return 0x0100;
            case 0x0100: return 0x8110;
            case 0x0103: return 0x0110;
            default: return static_cast<std::uint16_t>(pc + 1);
            }
        };
    }
    PortMap ports() {
        PortMap map;
        map.set(1, peer.slavePath);
        for (int n = 2; n <= 4; ++n) {
            map.set(n, "/nonexistent/tty" + std::to_string(n));
        }
        return map;
    }
    int framesOf(char command) {
        int n = 0;
        for (const auto& f : peer.frames()) {
            n += f[0] == static_cast<std::uint8_t>(command) ? 1 : 0;
        }
        return n;
    }
    void loadAndStepTo0100() {
        core.openProgram(hex);
        ASSERT_EQ(core.state(), DebugState::Stepping);
        core.step();
        ASSERT_EQ(link.pc, 0x0100);
    }
    BoardPeer peer;
    FakeUi ui;
    TarnikRS link;
    DebuggerCore core;
    std::string hex;
};

TEST_F(DebuggerTest, TheCommandLineFileIsLoadedOnceOnTheFirstActivation) {
    core.setCommandLineFile(hex);
    EXPECT_EQ(core.state(), DebugState::Idle);
    EXPECT_FALSE(core.resetEnabled());
    EXPECT_FALSE(core.traceEnabled());
    core.activate();
    core.activate();
    EXPECT_EQ(framesOf('V'), 1);
    EXPECT_EQ(framesOf('M'), 1);
    EXPECT_EQ(peer.model.blocks, (std::vector<std::uint16_t>{0x0000, 0x0100}));
    EXPECT_EQ(core.state(), DebugState::Stepping);
    EXPECT_TRUE(core.resetEnabled());
    EXPECT_TRUE(core.traceEnabled());
    EXPECT_TRUE(ui.viewsEnabled);
    ASSERT_EQ(ui.program.items.size(), 22U);
    EXPECT_EQ(ui.program.items[0], "0000: 02 01 00  LJMP  0100H");
    EXPECT_EQ(ui.program.selected, 0);
    EXPECT_EQ(ui.stack.items[14].substr(0, 5), "> 07:");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DebuggerTest, ABadHexFileLeavesTheDebuggerIdle) {
    core.openProgram(hex);
    ASSERT_EQ(core.state(), DebugState::Stepping);
    std::string bad = (std::filesystem::temp_directory_path() / "tarnik-bad.hex").string();
    std::ofstream(bad) << ":0100000011\n";
    core.openProgram(bad);
    EXPECT_EQ(core.state(), DebugState::Idle);
    EXPECT_FALSE(core.resetEnabled());
    EXPECT_FALSE(core.traceEnabled());
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0], " Error! |Błąd formatu pliku hex.\n");
}

TEST_F(DebuggerTest, StepAndStepOver) {
    loadAndStepTo0100();
    EXPECT_EQ(ui.program.items[ui.program.selected].substr(0, 5), "0100:");
    EXPECT_EQ(ui.registers["PC"], "0100");
    // Step over on an LCALL into the monitor runs to the next line.
    core.stepOver();
    EXPECT_EQ(framesOf('a'), 1);
    EXPECT_EQ(peer.model.runTarget, 0x0103);
    EXPECT_EQ(link.pc, 0x0103);
    // On an ACALL into the program's own code as well.
    core.stepOver();
    EXPECT_EQ(framesOf('a'), 2);
    EXPECT_EQ(link.pc, 0x0105);
    // On a line that is no call it is a Step.
    int steps = framesOf('s');
    core.stepOver();
    EXPECT_EQ(framesOf('s'), steps + 1);
    EXPECT_EQ(framesOf('a'), 2);
}

TEST_F(DebuggerTest, StepOverTarnikSubroutinesOnlyOverTheMonitorsCalls) {
    loadAndStepTo0100();
    core.stepOverTarnik(); // LCALL 8110H: over it
    EXPECT_EQ(framesOf('a'), 1);
    EXPECT_EQ(link.pc, 0x0103);
    core.stepOverTarnik(); // ACALL 0110H: into it
    EXPECT_EQ(framesOf('a'), 1);
    EXPECT_EQ(link.pc, 0x0110);
}

TEST_F(DebuggerTest, NextLineThatTakesLongerWaitsForTheCompletionByte) {
    loadAndStepTo0100();
    peer.model.runToCompletes = false;
    core.nextLine();
    EXPECT_EQ(core.state(), DebugState::RunningToLine);
    EXPECT_TRUE(ui.timer);
    EXPECT_FALSE(ui.viewsEnabled);
    EXPECT_TRUE(core.resetEnabled());
    EXPECT_FALSE(core.traceEnabled());
    core.waitTick(); // nothing yet
    EXPECT_EQ(core.state(), DebugState::RunningToLine);
    peer.model.pc = 0x0103;
    peer.send({0x06});
    core.waitTick();
    EXPECT_EQ(core.state(), DebugState::Stepping);
    EXPECT_FALSE(ui.timer);
    EXPECT_TRUE(ui.viewsEnabled);
    EXPECT_EQ(ui.registers["PC"], "0103");
}

TEST_F(DebuggerTest, ResetWhileRunningReportsNoCommunicationAndTheTimerGoesOn) {
    loadAndStepTo0100();
    peer.model.runToCompletes = false;
    core.nextLine();
    ASSERT_EQ(core.state(), DebugState::RunningToLine);
    peer.setResponder([](const Bytes&) { return Bytes{}; }); // the program runs on
    core.reset();
    EXPECT_EQ(core.state(), DebugState::Detached);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back(), std::string(" Error! |") + NO_COMMUNICATION);
    EXPECT_TRUE(ui.timer);
    EXPECT_TRUE(core.resetEnabled());
}

TEST_F(DebuggerTest, RunFromTheStartAndFromElsewhere) {
    core.openProgram(hex);
    int quits = framesOf('Q');
    core.run(); // PC 0000H: from the command loop
    EXPECT_EQ(framesOf('Q'), quits + 1);
    EXPECT_EQ(framesOf('R'), 1);
    EXPECT_EQ(core.state(), DebugState::Detached);
    EXPECT_FALSE(ui.viewsEnabled);

    core.reset();
    core.step();
    ASSERT_EQ(link.pc, 0x0100);
    quits = framesOf('Q');
    peer.setResponder([this](const Bytes& frame) {
        return frame[0] == 'R' ? Bytes{} : peer.model.answer(frame); // no acknowledgement
    });
    core.run();
    EXPECT_EQ(framesOf('Q'), quits);
    EXPECT_EQ(core.state(), DebugState::Detached);
    EXPECT_TRUE(ui.messages.empty()); // a lost acknowledgement of Run is no failure
}

TEST_F(DebuggerTest, AnOldMonitorIsRefusedAndResetLoadsWithoutSearching) {
    peer.model.ident = "Makerlabs TRNK-1 v1 s2.1";
    core.openProgram(hex);
    EXPECT_EQ(core.state(), DebugState::BoardFound);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0],
              " Błąd ! |Stara wersja EPROMu urządzenia.\nBrak możliwości śledzenia programu.\n");
    EXPECT_TRUE(core.resetEnabled());
    EXPECT_FALSE(core.traceEnabled());
    EXPECT_TRUE(peer.model.blocks.empty());
    core.reset();
    EXPECT_EQ(framesOf('V'), 1);
    EXPECT_EQ(core.state(), DebugState::Stepping);
    EXPECT_FALSE(peer.model.blocks.empty());
}

TEST_F(DebuggerTest, AnUnknownBoardAndNoBoardAtAll) {
    peer.model.ident = "Makerlabs TRNK-X v1 s2.2";
    core.openProgram(hex);
    EXPECT_EQ(core.state(), DebugState::BoardFound);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].substr(0, 48), " Błąd ! |\nNieznane urządzenie rodziny Tarnik.");
    EXPECT_NE(ui.messages[0].find("\n\n     Patrz   www.tarnik.example\n"), std::string::npos);

    link.close();
    peer.setResponder([](const Bytes&) { return Bytes{}; });
    core.openProgram(hex);
    EXPECT_EQ(core.state(), DebugState::Detached);
    EXPECT_EQ(ui.messages.back(), std::string(" Error! |") + NO_COMMUNICATION);
    EXPECT_FALSE(ui.viewsEnabled);
}

TEST_F(DebuggerTest, TheBoardsResetKeyBeforeAStep) {
    loadAndStepTo0100();
    peer.model.mode = 'C'; // the monitor is back in its command loop
    core.step();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0], " Błąd ! |Reset programu");
    EXPECT_EQ(core.state(), DebugState::Stepping); // the Reset that followed loaded it again
    EXPECT_EQ(link.pc, 0x0000);
}

TEST_F(DebuggerTest, TheStackWarningComesOnceAndAgainAfterTheCounterWraps) {
    core.openProgram(hex);
    auto warnings = [this] {
        int n = 0;
        for (const auto& m : ui.messages) {
            n += m.rfind(" Uwaga ! |Zostało niewiele miejsca na stosie.", 0) == 0 ? 1 : 0;
        }
        return n;
    };
    link.registers[REG_SP] = 0x79;
    core.showStack();
    EXPECT_EQ(warnings(), 1);
    core.showStack(); // SP did not change
    EXPECT_EQ(warnings(), 1);
    for (int i = 1; i < 256; ++i) {
        link.registers[REG_SP] = static_cast<std::uint8_t>(i % 2 == 1 ? 0x7A : 0x79);
        core.showStack();
    }
    EXPECT_EQ(warnings(), 1);
    link.registers[REG_SP] = 0x7B;
    core.showStack(); // the 257th
    EXPECT_EQ(warnings(), 2);
}

TEST_F(DebuggerTest, ViewsAreGreyedOnlyWhenTheirStateChanges) {
    core.openProgram(hex);
    int changes = ui.viewChanges;
    core.run();
    EXPECT_EQ(ui.viewChanges, changes + 1);
    core.reset(); // greys again: no change
    EXPECT_GE(ui.viewChanges, changes + 1);
}

TEST_F(DebuggerTest, OpenHelpAboutExit) {
    core.open(); // the dialog was cancelled
    EXPECT_EQ(core.state(), DebugState::Idle);
    ui.chosen = hex;
    core.open();
    EXPECT_EQ(core.state(), DebugState::Stepping);
    core.help();
    core.about();
    core.exit();
    EXPECT_EQ(ui.helps, 1);
    EXPECT_EQ(ui.abouts, 1);
    EXPECT_TRUE(ui.closed);
}

} // namespace
} // namespace tarnik
