#include "disasm_command.h"

#include "debugger/app/code_space.h"
#include "debugger/disasm/disassembler.h"

namespace tarnik {

namespace {

class ErrorStream : public UserMessages {
public:
    explicit ErrorStream(std::ostream& err) : err_(err) {}
    void showMessage(const std::string& text, const std::string& caption) override {
        err_ << caption << "\n" << text;
    }

private:
    std::ostream& err_;
};

bool parseNumber(const std::string& text, int base, long max, long& value) {
    if (text.empty() || text.size() > 8) {
        return false;
    }
    std::size_t used = 0;
    try {
        value = std::stol(text, &used, base);
    } catch (const std::exception&) {
        return false;
    }
    return used == text.size() && value >= 0 && value <= max;
}

} // namespace

int runDisasmCommand(const std::vector<std::string>& arguments, std::ostream& out,
                     std::ostream& err) {
    auto usage = [&err] {
        err << "usage: tarnik --disasm [--monitor MODEL:VERSION] FILE.hex [ADDR [COUNT]]\n"
               "  ADDR in hexadecimal (default 0000), COUNT lines (default 22);\n"
               "  --monitor 1:22 shows the monitor of a Tarnik board with monitor 2.2 from 8000H\n";
        return 2;
    };
    ProgramImage program;
    MonitorImage monitor;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--monitor") {
            if (i + 1 == arguments.size()) {
                return usage();
            }
            const std::string& id = arguments[++i];
            std::size_t colon = id.find(':');
            long model = 0;
            long version = 0;
            if (colon == std::string::npos || !parseNumber(id.substr(0, colon), 10, 99, model) ||
                !parseNumber(id.substr(colon + 1), 10, 99, version)) {
                return usage();
            }
            if (!selectMonitorImage(monitor, static_cast<std::uint16_t>(model),
                                    static_cast<std::uint16_t>(version))) {
                err << "tarnik: no monitor image for model " << model << ", version " << version
                    << "\n";
                return 2;
            }
        } else {
            rest.push_back(arguments[i]);
        }
    }
    long address = 0;
    long count = 22;
    if (rest.empty() || rest.size() > 3 ||
        (rest.size() > 1 && !parseNumber(rest[1], 16, 0xFFFF, address)) ||
        (rest.size() > 2 && !parseNumber(rest[2], 10, 65536, count))) {
        return usage();
    }
    ErrorStream messages(err);
    if (loadHexFile(rest[0], program, messages) != HexOk) {
        return 1;
    }
    CodeSpace code(program, monitor);
    Disassembler disassembler(code);
    DisasmLine line;
    auto at = static_cast<std::uint16_t>(address);
    for (long i = 0; i < count; ++i) {
        at = disassembler.disassembleLine(line, at);
        out << line.text << "\n";
    }
    return 0;
}

} // namespace tarnik
