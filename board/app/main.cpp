// tarnik-board: the simulated Tarnik board. For now its 8051 core can be traced.
#include "board/core51/cpu51.h"
#include "board/core51/hex_image.h"
#include "board/core51/trace.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "Usage: tarnik-board --trace N FILE.hex\n"
    "Loads FILE.hex into code memory from 0000H, resets the 8051 core, executes N\n"
    "instructions and prints the state after each:\n"
    "  PC=XXXX A=XX B=XX PSW=XX SP=XX DPTR=XXXX R0..R7=XXXXXXXXXXXXXXXX IRAM=XXXXXXXX CYC=n\n"
    "(R0..R7 of the current bank, IRAM the CRC-32 of internal RAM 00H-7FH, CYC the machine\n"
    "cycles since reset).\n";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << usage;
        return 0;
    }
    if (args.size() != 3 || args[0] != "--trace") {
        std::cerr << usage;
        return 2;
    }
    long count = 0;
    try {
        std::size_t used = 0;
        count = std::stol(args[1], &used);
        if (used != args[1].size() || count < 0) {
            throw std::invalid_argument("count");
        }
    } catch (const std::exception&) {
        std::cerr << "tarnik-board: N must be a number of instructions\n" << usage;
        return 2;
    }
    static std::array<std::uint8_t, 65536> code{};
    code.fill(0xFF);
    std::string problem = core51::loadHexImage(args[2], code);
    if (!problem.empty()) {
        std::cerr << "tarnik-board: " << problem << "\n";
        return 1;
    }
    core51::Board51 board;
    core51::Cpu51 cpu(code.data(), board);
    for (long i = 0; i < count; ++i) {
        cpu.step();
        std::printf("%s\n", core51::traceLine(cpu).c_str());
    }
    return 0;
}
