// tarnik --disasm: the program view of a HEX file the assembler wrote.
#include "tests/support/run_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

using tarnik::testing::Command;

Command run(const std::string& command) {
    return tarnik::testing::runCommand(command);
}

TEST(TarnikDisasm, ShowsWhatTheAssemblerWrote) {
    fs::path dir = fs::temp_directory_path() / "tarnik-disasm";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "p.asm")
        << "        LJMP START\n        ORG 0100H\nSTART:  LCALL DELAY_MS\n"
           "        SJMP START\n";
    ASSERT_EQ(run(std::string(TARNIKASM) + " " + (dir / "p.asm").string()).status, 0);
    std::string hex = (dir / "p.hex").string();

    Command c = run(std::string(TARNIK) + " --disasm " + hex + " 0100 3");
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.output, "0100: 12 81 10  LCALL 8110H\n"
                        "0103: 80 FB     SJMP  0100H\n"
                        "0105: FF        MOV   R7,A\n");
    Command all = run(std::string(TARNIK) + " --disasm " + hex);
    EXPECT_EQ(std::count(all.output.begin(), all.output.end(), '\n'), 22);
    Command monitor = run(std::string(TARNIK) + " --disasm --monitor 1:22 " + hex + " 8000 1");
    EXPECT_EQ(monitor.output.substr(0, 16), "8000: 02 81 2C  ");

    EXPECT_EQ(run(std::string(TARNIK) + " --disasm --monitor 2:30 " + hex).status, 2);
    EXPECT_EQ(run(std::string(TARNIK) + " --disasm " + hex + " 10000").status, 2);
    EXPECT_EQ(run(std::string(TARNIK) + " --disasm").status, 2);
    std::ofstream(dir / "empty.hex");
    Command bad = run(std::string(TARNIK) + " --disasm " + (dir / "empty.hex").string());
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.output, " Error! \nBłąd formatu pliku hex.\n");
    fs::remove_all(dir);
}

} // namespace
