#include "diagnostics.h"

namespace tasm {

namespace {
constexpr std::uint8_t E = DIAG_ERROR;
constexpr std::uint8_t W = DIAG_WARNING;
} // namespace

const DiagnosticRow DiagnosticTable[DIAGNOSTIC_ROWS] = {
    {"", 0},
    {"SYNTAX _ERROR", E},
    {"ILLEGAL MNEMONIC", E},
    {"MISSING LABEL", E},
    {"A LABEL IS ILLEGAL ON THIS INSTRUCTION", E},
    {"UNCLOSED QUOTE", E},
    {"MISSING OPERAND", E},
    {"EMPTY OPERAND", E},
    {"EXTRA CHARACTERS AT AND OF OPERAND", E},
    {"ILLEGAL OPERANDS NUMBER", E},
    {"ILLEGAL OPERAND 1", E},
    {"ILLEGAL OPERAND 2", E},
    {"ILLEGAL OPERAND 3", E},
    {"NUMBER TOO LARGE", E},
    {"ILLEGAL EXPRESSION TYPE", E},
    {"ILLEGAL EXPRESSION FOR DIRECT ADDRESS", E},
    {"ILLEGAL EXPRESSION FOR BIT ADDRESS", E},
    {"ILLEGAL EXPRESSION FOR ADDRESS", E},
    {"DIRECT ADDRESS OUT OF 256B MEMORY SPACE", E},
    {"RELATIVE JUMP TOO LARGE", E},
    {"DESTINATION ADDRESS OUT OF 64K PROGRAM MEMORY SPACE", E},
    {"DESTINATION ADDRESS NOT IN SAME 2K BLOCK AS NEXT INSTRUCTION", E},
    {"EXPRESSION SYNTAX", E},
    {"')' EXPECTED", E},
    {"ILLEGAL NUMBER FORMAT", E},
    {"ATTEMPTED DIVISION BY 0", E},
    {"UNDEFINED SYMBOL", E | DIAG_DEFERRABLE},
    {"ILLEGAL BIT SELECTION", E},
    {"NOT BIT ADDRESSABLE REGISTER", E},
    {"MULTIPLE DEFINED SYMBOL", E},
    {"LABEL WITHOUT ':' EXPECTED", E},
    {"LABEL WITH ':' EXPECTED", E},
    {"TOO MANY NESTED IF CONDITIONS", E},
    {"UNCLOSED IF", E},
    {"UNEXPECTED ELSE", E},
    {"UNEXPECTED ENDIF", E},
    {"NESTED MACRO NOT SUPPORTED", E},
    {"INFINITE MACRO EXPANSION", E},
    {"UNCLOSED MACRO DEFINITION", E},
    {"ADDRESS DECREASING", E},
    {"ILLEGAL CHARACTER IN LABEL", E},
    {"", 0}, // the base of the warning numbers
    {"NON-EXISTENT INTERNAL RAM ADDRESS", W},
    {"SYMBOL TYPE CHANGE", W},
};

void recordDiagnostic(std::uint8_t& slot, std::uint8_t code, DiagnosticCounters& counters) {
    if (isError(code)) {
        if (slot != 0 && isError(slot)) {
            return;
        }
        if (slot != 0) {
            --counters.warningCount;
        }
        slot = code;
        ++counters.errorCount;
    } else if (isWarning(code)) {
        if (slot != 0) {
            return;
        }
        slot = code;
        ++counters.warningCount;
    }
}

std::string formatDiagnostic(std::uint8_t code) {
    bool error = isError(code);
    return std::string("***** ") + (error ? "_ERROR " : "WORNING ") +
           std::to_string(error ? code : code - 41) + " : " + DiagnosticTable[code].text + " *****";
}

void writeDiagnostic(std::uint8_t code, std::ostream& stream) {
    if (code != 0) {
        stream << formatDiagnostic(code) << "\r\n";
    }
}

} // namespace tasm
