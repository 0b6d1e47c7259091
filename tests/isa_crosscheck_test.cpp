// Every opcode form encodes to the bytes that as31, an independent assembler, writes for it.
#include "tests/support/assemble_text.h"

#include <cctype>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace tasm {
namespace {

std::map<int, int> hexBytes(std::istream& in) {
    std::map<int, int> bytes;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 11 || line[0] != ':' || line.substr(7, 2) != "00") {
            continue;
        }
        int count = std::stoi(line.substr(1, 2), nullptr, 16);
        int address = std::stoi(line.substr(3, 4), nullptr, 16);
        for (int i = 0; i < count; ++i) {
            bytes[address + i] = std::stoi(line.substr(9 + 2 * i, 2), nullptr, 16);
        }
    }
    return bytes;
}

TEST(As31CrossCheck, EveryOpcodeFormEncodesAlike) {
    std::ifstream source(ISA_DIR "/coverage.asm");
    std::stringstream text;
    text << source.rdbuf();
    testing::Assembled ours = testing::assembleText(text.str());
    ASSERT_EQ(ours.counters.errorCount, 0);
    ASSERT_EQ(ours.counters.warningCount, 0);

    std::istringstream ourHex(ours.hex);
    std::ifstream theirHex(ISA_DIR "/coverage_as31.hex");
    std::map<int, int> mine = hexBytes(ourHex);
    std::map<int, int> expected = hexBytes(theirHex);
    ASSERT_GT(expected.size(), 1500U);
    EXPECT_EQ(mine, expected);

    // Every opcode but A5h begins some instruction of the source.
    std::set<int> opcodes;
    std::istringstream listing(ours.listing);
    std::string line;
    while (std::getline(listing, line)) {
        if (line.size() > 16 && line[5] != ' ' && line[12] == ':' && std::isxdigit(line[14])) {
            opcodes.insert(std::stoi(line.substr(14, 2), nullptr, 16));
        }
    }
    EXPECT_EQ(opcodes.size(), 255U);
    EXPECT_EQ(opcodes.count(0xA5), 0U);
}

} // namespace
} // namespace tasm
