// tarnik --console against a scripted board on a pseudo-terminal.
#include "debugger/link/tarnik_rs.h"
#include "tests/support/hex_file.h"
#include "tests/support/run_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tarnik {
namespace {

std::string runConsole(const std::string& arguments, const std::string& input) {
    fs::path commands =
        fs::temp_directory_path() / (std::to_string(getpid()) + "-tarnik-console-commands.txt");
    std::ofstream(commands) << input;
    return testing::runCommand(std::string(TARNIK) + " --console " + arguments + " < " +
                               commands.string())
        .output;
}

TEST(TarnikConsole, LoadsStepsAndShowsThePanels) {
    testing::BoardPeer peer;
    peer.model.registers[REG_SP] = 0x07;
    peer.model.stepTo = [](std::uint16_t pc) -> std::uint16_t {
        return pc == 0 ? 0x0100 : static_cast<std::uint16_t>(pc + 3);
    };
    std::string hex = testing::hexFile("tarnik-console.hex", 0, testing::stepProgram());
    std::string out = runConsole("--port 1=" + peer.slavePath + " " + hex, "step\nbogus\nquit\n");
    EXPECT_NE(out.find("State: Stepping\nProgram:\n* 0000: 02 01 00  LJMP  0100H\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("* 0100: 12 81 10  LCALL 8110H\n"), std::string::npos);
    EXPECT_NE(out.find("PC=0100"), std::string::npos);
    EXPECT_NE(out.find("* > 07:00\n"), std::string::npos);
    EXPECT_NE(out.find("bogus: unknown command"), std::string::npos);
}

TEST(TarnikConsole, CommandsThatAreNotAvailableAndMessages) {
    std::string out = runConsole("--port 1=/nonexistent/tty --port 2=/nonexistent/tty "
                                 "--port 3=/nonexistent/tty --port 4=/nonexistent/tty",
                                 "step\nreset\nopen /nonexistent/x.hex\n");
    EXPECT_NE(out.find("State: Idle\n"), std::string::npos);
    EXPECT_NE(out.find("step: not available now (state Idle)"), std::string::npos);
    EXPECT_NE(out.find("reset: not available now (state Idle)"), std::string::npos);
    EXPECT_NE(out.find("[ Error! ]\nNie można otworzyć pliku:\n\n /nonexistent/x.hex\n"),
              std::string::npos);
}

TEST(TarnikConsole, NoBoardAnywhere) {
    std::string hex = testing::hexFile("tarnik-console2.hex", 0, testing::stepProgram());
    std::string out = runConsole("--port 1=/nonexistent/a --port 2=/nonexistent/b "
                                 "--port 3=/nonexistent/c --port 4=/nonexistent/d " +
                                     hex,
                                 "");
    EXPECT_NE(out.find("[ Error! ]\nNo communication with Tarnik \n- Connect, \n"),
              std::string::npos);
    EXPECT_NE(out.find("State: Detached\nProgram: (greyed)\n* 0000: 02 01 00  LJMP  0100H"),
              std::string::npos)
        << out;
}

TEST(TarnikConsole, Usage) {
    std::string out = runConsole("--port 99=/x", "");
    EXPECT_NE(out.find("--port wants N=PATH"), std::string::npos);
}

} // namespace
} // namespace tarnik
