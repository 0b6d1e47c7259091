// The report window under the offscreen platform: one complete run per paint, never nested.
#include "WMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tasm {
namespace {

int banners(const TMainWin& window) {
    return static_cast<int>(window.report()->toPlainText().count("TarnikAsm (8051 Assembler)"));
}

std::string writeSource() {
    auto path = std::filesystem::temp_directory_path() /
                (std::to_string(getpid()) + "-tarnik-window-test.asm");
    std::ofstream(path) << "        NOP\n        FOO\n";
    return path.string();
}

void settle(int ms = 300) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

TEST(ReportWindow, DesignProperties) {
    TMainWin window(QString::fromStdString(writeSource()));
    EXPECT_EQ(window.windowTitle(), "TarnikAsm v2.1");
    EXPECT_EQ(window.size(), QSize(569, 524));
    EXPECT_EQ(window.report()->geometry(), QRect(16, 16, 529, 457));
    EXPECT_EQ(window.report()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(ReportWindow, EachPaintRunsOneCompleteAssembly) {
    TMainWin window(QString::fromStdString(writeSource()));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    settle();
    EXPECT_EQ(window.runsStarted(), 1);
    EXPECT_EQ(banners(window), 1);
    EXPECT_TRUE(window.report()->toPlainText().contains("***** _ERROR 2 : ILLEGAL MNEMONIC *****"));

    window.repaint();
    settle();
    EXPECT_EQ(window.runsStarted(), 2);
    EXPECT_EQ(banners(window), 2); // the second report is appended below the first
}

TEST(ReportWindow, APaintDuringARunStartsNoRunInsideIt) {
    TMainWin window{QString()};
    std::string source = writeSource();
    int active = 0;
    int deepest = 0;
    int asked = 0;
    window.chooseSource = [&]() -> std::optional<QString> {
        ++active;
        deepest = std::max(deepest, active);
        ++asked;
        if (asked <= 2) {
            window.repaint(); // as when the open dialog is moved over the window
            QApplication::processEvents();
        }
        --active;
        if (asked > 3) {
            return std::nullopt;
        }
        return QString::fromStdString(source);
    };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    settle();
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(window.runsStarted(), 3);
}

TEST(ReportWindow, CancelInTheOpenDialogEndsTheProgramWithStatusZero) {
    TMainWin window{QString()};
    window.chooseSource = [] { return std::optional<QString>(); };
    window.show();
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(banners(window), 0);
}

} // namespace
} // namespace tasm
