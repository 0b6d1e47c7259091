// The one-byte diagnostic codes, their messages, and the rule by which a line records one.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace tasm {

constexpr std::uint8_t DIAG_ERROR = 1;
constexpr std::uint8_t DIAG_WARNING = 2;
constexpr std::uint8_t DIAG_DEFERRABLE = 4;

enum : std::uint8_t {
    DIAG_SYNTAX = 1,
    DIAG_ILLEGAL_MNEMONIC = 2,
    DIAG_MISSING_LABEL = 3,
    DIAG_LABEL_ILLEGAL = 4,
    DIAG_UNCLOSED_QUOTE = 5,
    DIAG_MISSING_OPERAND = 6,
    DIAG_EMPTY_OPERAND = 7,
    DIAG_EXTRA_CHARACTERS = 8,
    DIAG_OPERANDS_NUMBER = 9,
    DIAG_ILLEGAL_OPERAND_1 = 10,
    DIAG_ILLEGAL_OPERAND_2 = 11,
    DIAG_ILLEGAL_OPERAND_3 = 12,
    DIAG_NUMBER_TOO_LARGE = 13,
    DIAG_ILLEGAL_TYPE = 14,
    DIAG_ILLEGAL_DIRECT = 15,
    DIAG_ILLEGAL_BIT = 16,
    DIAG_ILLEGAL_ADDRESS = 17,
    DIAG_DIRECT_OUT_OF_RANGE = 18,
    DIAG_RELATIVE_TOO_LARGE = 19,
    DIAG_DESTINATION_OUT_OF_64K = 20,
    DIAG_NOT_SAME_2K_BLOCK = 21,
    DIAG_EXPRESSION_SYNTAX = 22,
    DIAG_PAREN_EXPECTED = 23,
    DIAG_ILLEGAL_NUMBER_FORMAT = 24,
    DIAG_DIVISION_BY_ZERO = 25,
    DIAG_UNDEFINED_SYMBOL = 26,
    DIAG_ILLEGAL_BIT_SELECTION = 27,
    DIAG_NOT_BIT_ADDRESSABLE = 28,
    DIAG_MULTIPLE_DEFINED = 29,
    DIAG_LABEL_WITHOUT_COLON = 30,
    DIAG_LABEL_WITH_COLON = 31,
    DIAG_TOO_MANY_IFS = 32,
    DIAG_UNCLOSED_IF = 33,
    DIAG_UNEXPECTED_ELSE = 34,
    DIAG_UNEXPECTED_ENDIF = 35,
    DIAG_NESTED_MACRO = 36,
    DIAG_INFINITE_MACRO = 37,
    DIAG_UNCLOSED_MACRO = 38,
    DIAG_ADDRESS_DECREASING = 39,
    DIAG_ILLEGAL_LABEL_CHAR = 40,
    DIAG_NO_RAM_ADDRESS = 42,
    DIAG_TYPE_CHANGE = 43,
};

struct DiagnosticRow {
    const char* text;
    std::uint8_t flags;
};

constexpr int DIAGNOSTIC_ROWS = 44;
extern const DiagnosticRow DiagnosticTable[DIAGNOSTIC_ROWS];

inline bool isError(std::uint8_t code) {
    return (DiagnosticTable[code].flags & DIAG_ERROR) != 0;
}
inline bool isWarning(std::uint8_t code) {
    return (DiagnosticTable[code].flags & DIAG_WARNING) != 0;
}
inline bool isDeferrable(std::uint8_t code) {
    return (DiagnosticTable[code].flags & DIAG_DEFERRABLE) != 0;
}

// The totals of one run.
struct DiagnosticCounters {
    int errorCount = 0;
    int warningCount = 0;
};

// Records a non-zero code in a line's slot: the first error stays, an error replaces a
// warning, and each line counts once, in the counter of the code it shows.
void recordDiagnostic(std::uint8_t& slot, std::uint8_t code, DiagnosticCounters& counters);

std::string formatDiagnostic(std::uint8_t code);
void writeDiagnostic(std::uint8_t code, std::ostream& stream);

} // namespace tasm
