// The main window under the offscreen platform, against a scripted board: the actions follow
// the state, and the panels hold the views' lines. TARNIK_SCREENSHOTS=DIR saves pictures.
#include "WMain.h"
#include "debugger/app/WAbout.h"
#include "debugger/app/WOpis.h"
#include "tests/support/hex_file.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace tarnik {
namespace {

void settle(int ms = 200) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void screenshot(QWidget& w, const char* name) {
    if (const char* dir = std::getenv("TARNIK_SCREENSHOTS")) {
        w.grab().save(QString(dir) + "/" + name + ".png");
    }
}

const char* const traceActions[] = {"StepOverAct", "StepOverTarnikAct", "TraceIntoAct",
                                    "TraceNextLineAct", "RunAct"};

struct WindowFixture {
    WindowFixture() : link(ports(), [](std::chrono::milliseconds) {}) {
        peer.model.registers[REG_SP] = 0x07;
        peer.model.stepTo = [](std::uint16_t pc) -> std::uint16_t {
            return pc == 0x0000 ? 0x0100 : static_cast<std::uint16_t>(pc + 3);
        };
    }
    PortMap ports() {
        PortMap map;
        map.set(1, peer.slavePath);
        for (int n = 2; n <= 4; ++n) {
            map.set(n, "/nonexistent/tty");
        }
        return map;
    }
    testing::BoardPeer peer;
    TarnikRS link;
};

TEST(MainWindow, DesignAndTheIdleState) {
    WindowFixture f;
    TMainWin window(f.link, "");
    window.messageBoxesEnabled = false;
    EXPECT_EQ(window.windowTitle(), "Tarnik");
    EXPECT_EQ(window.centralWidget()->size(), QSize(688, 434));
    EXPECT_EQ(window.action("StepOverAct")->text(), "Step &over                ");
    EXPECT_EQ(window.action("StepOverAct")->toolTip(), "Step out                 ");
    EXPECT_EQ(window.action("TraceIntoAct")->shortcut(), QKeySequence("Ctrl+F7"));
    EXPECT_EQ(window.action("TraceNextLineAct")->shortcut(), QKeySequence("Shift+F7"));
    EXPECT_EQ(window.action("TraceNextLineAct")->toolTip(), "Do następnej linii");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    settle();
    EXPECT_FALSE(window.action("ResetAct")->isEnabled());
    for (const char* name : traceActions) {
        EXPECT_FALSE(window.action(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(window.action("FilOpenAct")->isEnabled());
    screenshot(window, "tarnik-idle");
}

TEST(MainWindow, SteppingFillsThePanels) {
    WindowFixture f;
    std::string hex = testing::hexFile("tarnik-window-test.hex", 0, testing::stepProgram());
    TMainWin window(f.link, hex);
    window.messageBoxesEnabled = false;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    settle(500); // the first activation opens the file
    ASSERT_EQ(window.core().state(), DebugState::Stepping);
    EXPECT_TRUE(window.action("ResetAct")->isEnabled());
    for (const char* name : traceActions) {
        EXPECT_TRUE(window.action(name)->isEnabled()) << name;
    }
    ASSERT_EQ(window.programView()->count(), 22);
    EXPECT_EQ(window.programView()->item(0)->text(), "0000: 02 01 00  LJMP  0100H");
    EXPECT_EQ(window.programView()->currentRow(), 0);
    EXPECT_EQ(window.ramView()->count(), 16);
    EXPECT_EQ(window.stackView()->item(14)->text(), "> 07:00");

    window.action("TraceIntoAct")->trigger();
    settle(100);
    EXPECT_EQ(window.programView()->currentItem()->text(), "0100: 12 81 10  LCALL 8110H");
    EXPECT_EQ(window.valueBox("PC")->text(), "0100");
    EXPECT_TRUE(window.valueBox("PC")->isEnabled());
    screenshot(window, "tarnik-stepping");

    f.peer.setResponder([](const testing::Bytes&) { return testing::Bytes{}; });
    window.action("TraceIntoAct")->trigger();
    settle(100);
    EXPECT_EQ(window.core().state(), DebugState::Detached);
    EXPECT_FALSE(window.action("TraceIntoAct")->isEnabled());
    EXPECT_TRUE(window.action("ResetAct")->isEnabled());
    EXPECT_FALSE(window.programView()->isEnabled()); // greyed, still showing the lines
    EXPECT_EQ(window.programView()->count(), 22);
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(window.messages.back(), std::string(" Error! |") + NO_COMMUNICATION);
}

TEST(MainWindow, HelpAndAbout) {
    THelpWin help;
    EXPECT_EQ(help.windowTitle(), "Help         ");
    EXPECT_EQ(help.size(), QSize(688, 453));
    TAboutBox about;
    EXPECT_EQ(about.windowTitle(), "O programie Tarnik");
    EXPECT_EQ(about.size(), QSize(299, 215));
    EXPECT_EQ(about.findChild<QLabel*>("VerLab")->text(), "Wersja 4.0.1");
    help.show();
    about.show();
    settle(100);
    screenshot(help, "tarnik-help");
    screenshot(about, "tarnik-about");
}

} // namespace
} // namespace tarnik
