// tarnik: the board debugger.
#include "debugger/app/WMain.h"
#include "debugger/app/console.h"
#include "debugger/app/disasm_command.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "Usage: tarnik [--console] [--port N=PATH]... [FILE.hex]\n"
    "       tarnik --disasm [--monitor MODEL:VERSION] FILE.hex [ADDR [COUNT]]\n"
    "\n"
    "Loads FILE.hex, finds the Tarnik board on COM1 to COM4, downloads the program to the\n"
    "board's monitor and steps through it.\n"
    "\n"
    "  --console       commands from standard input instead of the window: open FILE, reset,\n"
    "                  step, over, tover, next, run, wait, show, help, about, quit\n"
    "  --port N=PATH   the device of COM port N (default /dev/ttyS<N-1>), e.g. 1=/dev/ttyUSB0\n"
    "  --disasm        print the program view of FILE.hex from the hexadecimal address ADDR\n"
    "                  (default 0000) for COUNT lines (default 22); --monitor 1:22 shows the\n"
    "                  monitor of that board model and version from 8000H\n"
    "  --help          show this help and exit\n";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == "--disasm") {
        arguments.erase(arguments.begin());
        return tarnik::runDisasmCommand(arguments, std::cout, std::cerr);
    }
    bool console = false;
    tarnik::PortMap ports;
    std::string file;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help") {
            std::cout << usage;
            return 0;
        }
        if (a == "--console") {
            console = true;
        } else if (a == "--port") {
            if (i + 1 == arguments.size() || !ports.parse(arguments[i + 1])) {
                std::cerr << "tarnik: --port wants N=PATH with N from 1 to 32\n" << usage;
                return 2;
            }
            ++i;
        } else if (a.size() > 1 && a[0] == '-') {
            std::cerr << "tarnik: unknown option " << a << "\n" << usage;
            return 2;
        } else if (file.empty()) {
            file = a; // further files are ignored
        }
    }
    tarnik::TarnikRS link(ports);
    if (console) {
        tarnik::ConsoleFrontEnd frontEnd(link, std::cin, std::cout);
        return frontEnd.run(file);
    }
    return tarnik::runMainWindow(argc, argv, link, file);
}
