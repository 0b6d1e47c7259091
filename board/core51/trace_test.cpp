// The core against traces of ucsim's s51 (traces/gen_traces.py wrote them): arithmetic, logic,
// bit operations, addressing modes, the stack and calls, state and cycles after every step.
#include "board/core51/hex_image.h"
#include "board/core51/trace.h"

#include <fstream>
#include <gtest/gtest.h>

namespace core51 {
namespace {

class Ucsim : public ::testing::TestWithParam<const char*> {};

TEST_P(Ucsim, TracesAgree) {
    std::string base = std::string(TRACE_DIR) + "/" + GetParam();
    static std::array<std::uint8_t, 65536> code;
    code.fill(0xFF);
    ASSERT_EQ(loadHexImage(base + ".hex", code), "");
    Board51 board;
    Cpu51 cpu(code.data(), board);
    std::ifstream expected(base + ".trace");
    std::string line;
    int steps = 0;
    while (std::getline(expected, line)) {
        cpu.step();
        ASSERT_EQ(traceLine(cpu), line) << "step " << steps + 1;
        ++steps;
    }
    EXPECT_EQ(steps, 60);
}

INSTANTIATE_TEST_SUITE_P(Programs, Ucsim,
                         ::testing::Values("arithmetic", "logic", "bits", "addressing",
                                           "stack_calls"));

} // namespace
} // namespace core51
