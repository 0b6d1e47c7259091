// tarnik: the board debugger.
#include "debugger/app/disasm_command.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "Usage: tarnik --disasm [--monitor MODEL:VERSION] FILE.hex [ADDR [COUNT]]\n"
    "Shows the program of an Intel HEX file as the debugger's program view does: COUNT lines\n"
    "(default 22) from the hexadecimal address ADDR (default 0000). With --monitor the code\n"
    "from 8000H is the monitor of that board (models 1 to 4, versions 22, 23, 24, 30).\n"
    "\n"
    "  --help      show this help and exit\n";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == "--help") {
        std::cout << usage;
        return 0;
    }
    if (!arguments.empty() && arguments[0] == "--disasm") {
        arguments.erase(arguments.begin());
        return tarnik::runDisasmCommand(arguments, std::cout, std::cerr);
    }
    std::cerr << usage;
    return 2;
}
