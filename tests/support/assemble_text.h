// Assembles a source held in a string, in memory, the way a run does.
#pragma once

#include "asm/driver/report_sink.h"
#include "asm/isa51/processor.h"
#include "asm/output/obj_code.h"
#include "asm/source/assembler.h"

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace tasm::testing {

struct Assembled {
    std::string listing;
    std::string hex; // empty when an error was counted
    ReportLines report;
    DiagnosticCounters counters;
    int lines = 0;
};

// The pass, with the run's symbol table and instruction set.
inline void runPass(FileSource& file, ObjCode& code, DiagnosticCounters& counters) {
    Table symbols(101);
    Proc_Tarnik instructionSet(29);
    Assembler assembler(instructionSet, symbols, code, counters);
    assembler.assembleSource(file);
}

inline Assembled assembleText(const std::string& source) {
    Assembled out;
    std::istringstream input(source);
    FileSource file(input);
    ObjCode code;
    runPass(file, code, out.counters);
    out.lines = code.count();
    std::ostringstream listing;
    code.writeListing(listing, out.report);
    out.listing = listing.str();
    if (out.counters.errorCount == 0) {
        std::ostringstream hex;
        code.writeHex(hex);
        out.hex = hex.str();
    }
    return out;
}

// The bytes and the diagnostic of the last line of a source.
struct LastLine {
    std::vector<int> bytes;
    int diag = 0;
    bool operator==(const LastLine&) const = default;
};

inline LastLine assembleLastLine(const std::string& source) {
    DiagnosticCounters counters;
    std::istringstream input(source);
    FileSource file(input);
    ObjCode code;
    runPass(file, code, counters);
    LastLine last;
    if (code.count() > 0) {
        const ObjElm* e = code.at(code.count() - 1);
        for (int i = 0; i < e->length(); ++i) {
            last.bytes.push_back(e->byteAt(i));
        }
        last.diag = e->diag;
    }
    return last;
}

inline std::ostream& operator<<(std::ostream& out, const LastLine& l) {
    out << "{";
    for (int b : l.bytes) {
        out << std::hex << b << " ";
    }
    return out << "diag " << std::dec << l.diag << "}";
}

// Lines joined with CR LF, as the listing and HEX files hold them.
inline std::string crlf(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace tasm::testing
