// Assembles a source held in a string, in memory, the way a run does.
#pragma once

#include "asm/driver/report_sink.h"
#include "asm/isa51/processor.h"
#include "asm/output/obj_code.h"
#include "asm/source/assembler.h"

#include <sstream>
#include <string>

namespace tasm::testing {

struct Assembled {
    std::string listing;
    std::string hex; // empty when an error was counted
    ReportLines report;
    DiagnosticCounters counters;
    int lines = 0;
};

inline Assembled assembleText(const std::string& source) {
    Assembled out;
    std::istringstream input(source);
    FileSource file(input);
    Table symbols(101);
    Proc_Tarnik instructionSet(29);
    ObjCode code;
    {
        Assembler assembler(instructionSet, symbols, code, out.counters);
        assembler.assembleSource(file);
    }
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
