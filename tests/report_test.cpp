// The command line: what it refuses, what it creates, and its exit status.
#include "asm/driver/run.h"
#include "tests/support/run_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace tasm {
namespace {

using tarnik::testing::Command;

Command runTarnikasm(const std::string& arguments) {
    return tarnik::testing::runCommand(std::string(TARNIKASM) + " " + arguments);
}

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tarnik-cli-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    std::string put(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
    fs::path dir;
};

TEST_F(CommandLine, RefusesOutputNamesAsSources) {
    for (const char* name : {"prog.hex", "prog.lst", "prog.HEX", "prog.Lst"}) {
        std::string source = put(name, "        NOP\n");
        Command c = runTarnikasm(source);
        EXPECT_EQ(c.status, 2) << name;
        EXPECT_NE(c.output.find("\nError: Illegal source file name extension.\n"),
                  std::string::npos)
            << name;
        EXPECT_EQ(c.output.find("Source file:"), std::string::npos) << name;
        std::ifstream in(source);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "        NOP\n") << name;
    }
}

TEST_F(CommandLine, RefusesASourceThatIsAnOutputUnderAnotherName) {
    std::string target = put("prog.hex", "        NOP\n");
    fs::create_symlink(target, dir / "prog.asm");
    Command c = runTarnikasm((dir / "prog.asm").string());
    EXPECT_EQ(c.status, 2);
    EXPECT_NE(c.output.find("Error: Illegal source file name extension."), std::string::npos);
    EXPECT_EQ(fs::file_size(target), 12U);
}

TEST_F(CommandLine, ANameWithoutExtensionGetsBothOutputs) {
    std::string source = put("prog", "        NOP\n");
    Command c = runTarnikasm(source);
    EXPECT_EQ(c.status, 0);
    EXPECT_TRUE(fs::exists(dir / "prog.hex"));
    EXPECT_TRUE(fs::exists(dir / "prog.lst"));
    put("a.b.asm", "        NOP\n");
    EXPECT_EQ(runTarnikasm((dir / "a.b.asm").string()).status, 0);
    EXPECT_TRUE(fs::exists(dir / "a.b.hex"));
}

TEST_F(CommandLine, SourcesThatCannotBeRead) {
    Command missing = runTarnikasm((dir / "missing.asm").string());
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.output.find("\n\nError: Cant open a file: " + (dir / "missing.asm").string()),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "missing.hex"));
    fs::create_directory(dir / "folder.asm");
    EXPECT_EQ(runTarnikasm((dir / "folder.asm").string()).status, 2);
}

TEST_F(CommandLine, OutputsThatCannotBeCreated) {
    std::string source = put("prog.asm", "        NOP\n");
    fs::create_directory(dir / "prog.lst");
    Command c = runTarnikasm(source);
    EXPECT_EQ(c.status, 2);
    EXPECT_NE(c.output.find("\n\nError: Cant create a file: " + (dir / "prog.lst").string()),
              std::string::npos);
    EXPECT_EQ(c.output.find("Lines assembled"), std::string::npos);
}

TEST_F(CommandLine, StatusFollowsTheErrorCount) {
    EXPECT_EQ(runTarnikasm(put("clean.asm", "        NOP\n")).status, 0);
    EXPECT_EQ(runTarnikasm(put("warn.asm", "R REG 0C8H\n")).status, 0);
    EXPECT_GT(fs::file_size(dir / "warn.hex"), 0U); // warnings do not keep the HEX file back
    EXPECT_EQ(runTarnikasm(put("bad.asm", "        NOP\n        FOO\n")).status, 1);
    EXPECT_EQ(fs::file_size(dir / "bad.hex"), 0U);
    EXPECT_GT(fs::file_size(dir / "bad.lst"), 0U);
}

TEST_F(CommandLine, OnlyTheFirstFileIsAssembled) {
    std::string first = put("one.asm", "        NOP\n");
    std::string second = put("two.asm", "        NOP\n");
    EXPECT_EQ(runTarnikasm(first + " " + second).status, 0);
    EXPECT_TRUE(fs::exists(dir / "one.hex"));
    EXPECT_FALSE(fs::exists(dir / "two.hex"));
}

TEST_F(CommandLine, UsageHelpAndVersion) {
    Command none = runTarnikasm("");
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.output.find("Usage: tarnikasm"), std::string::npos);
    EXPECT_EQ(runTarnikasm("--help").status, 0);
    Command version = runTarnikasm("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.output.find("Version 2.1"), std::string::npos);
    EXPECT_EQ(runTarnikasm("--frobnicate x.asm").status, 2);
}

TEST_F(CommandLine, PrintsTheReportLineForLine) {
    std::string source = put("prog.asm", "        NOP\n        FOO\n");
    Command c = runTarnikasm(source);
    ReportLines expected;
    runAssembly(source, expected);
    std::string text;
    for (const auto& line : expected.lines) {
        text += line + "\n";
    }
    EXPECT_EQ(c.output, text);
}

TEST_F(CommandLine, HostileSourcesDoNotCrash) {
    std::string hostile(10000, 'x');
    hostile += std::string("\0\x80\xFF;\"'\n", 7) + std::string(300, ',') + "\n\tDB " +
               std::string(500, '1') + "\nL" + std::string(100, 'a') + ": DB '" +
               std::string(200, 'z');
    Command c = runTarnikasm(put("hostile.asm", hostile));
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.output.find("Lines assembled:"), std::string::npos);
}

} // namespace
} // namespace tasm
