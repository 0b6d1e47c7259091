// tarnikasm: assembles one 8051 source into name.hex and name.lst and prints the report.
#include "asm/driver/run.h"

#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

const char* const usage =
    "Usage: tarnikasm [--gui] [FILE]\n"
    "Assembles the 8051 source FILE into FILE.hex (Intel HEX) and FILE.lst (listing),\n"
    "written beside it, and prints the report: every faulty line with its message, and the\n"
    "totals. The HEX file receives the program only when no error was found.\n"
    "\n"
    "  --gui       show the report in a window; without FILE an open dialog asks for one\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Exit status: 0 no errors, 1 errors found, 2 the run could not start.\n";

// Prints each report line once it is complete; the last line may still grow.
class PrintedReport : public tasm::ReportSink {
public:
    ~PrintedReport() override { flush(); }
    void addLine(const std::string& text) override {
        flush();
        line_ = text;
        pending_ = true;
    }
    void appendToLastLine(const std::string& text) override {
        line_ += text;
        pending_ = true;
    }
    void flush() {
        if (pending_) {
            std::cout << line_ << '\n';
            pending_ = false;
        }
    }

private:
    std::string line_;
    bool pending_ = false;
};

// Loads the report window from the module beside the executable.
int runWindow(int argc, char** argv, const char* file) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    std::string module = (self.parent_path() / "tarnikasm-window.so").string();
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        std::cerr << "tarnikasm: cannot load the report window: " << dlerror() << "\n";
        return tasm::RUN_NOT_STARTED;
    }
    using Entry = int (*)(int, char**, const char*);
    auto entry = reinterpret_cast<Entry>(dlsym(handle, "tarnikasmWindowMain"));
    if (entry == nullptr) {
        std::cerr << "tarnikasm: " << module << " holds no report window\n";
        return tasm::RUN_NOT_STARTED;
    }
    return entry(argc, argv, file);
}

} // namespace

int main(int argc, char** argv) {
    bool gui = false;
    const char* file = nullptr;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && std::strcmp(arg, "--help") == 0) {
            std::cout << usage;
            return 0;
        }
        if (!optionsEnded && std::strcmp(arg, "--version") == 0) {
            std::cout << "TarnikAsm (8051 Assembler) - Version 2.1\n";
            return 0;
        }
        if (!optionsEnded && std::strcmp(arg, "--gui") == 0) {
            gui = true;
        } else if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            std::cerr << "tarnikasm: unknown option " << arg << "\n" << usage;
            return tasm::RUN_NOT_STARTED;
        } else if (file == nullptr) {
            file = arg; // further file arguments are ignored
        }
    }
    if (gui) {
        return runWindow(argc, argv, file);
    }
    if (file == nullptr) {
        std::cerr << usage;
        return tasm::RUN_NOT_STARTED;
    }
    PrintedReport report;
    return tasm::runAssembly(file, report);
}
