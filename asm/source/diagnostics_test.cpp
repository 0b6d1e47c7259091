#include "diagnostics.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tasm {
namespace {

TEST(RecordDiagnostic, FirstErrorStaysAndErrorsReplaceWarnings) {
    struct Case {
        std::vector<std::uint8_t> recorded;
        std::uint8_t shown;
        int errors;
        int warnings;
    };
    const Case cases[] = {
        {{2}, 2, 1, 0},       {{2, 26}, 2, 1, 0},           {{42}, 42, 0, 1},
        {{42, 43}, 42, 0, 1}, {{42, 29}, 29, 1, 0}, // the warning is taken back
        {{14, 42}, 14, 1, 0}, {{43, 42, 13, 29}, 13, 1, 0},
    };
    for (const auto& c : cases) {
        DiagnosticCounters counters;
        std::uint8_t slot = 0;
        for (std::uint8_t code : c.recorded) {
            recordDiagnostic(slot, code, counters);
        }
        EXPECT_EQ(slot, c.shown);
        EXPECT_EQ(counters.errorCount, c.errors);
        EXPECT_EQ(counters.warningCount, c.warnings);
    }
}

TEST(RecordDiagnostic, OnlyUndefinedSymbolIsDeferrable) {
    for (int code = 1; code < DIAGNOSTIC_ROWS; ++code) {
        EXPECT_EQ(isDeferrable(static_cast<std::uint8_t>(code)), code == 26) << code;
        if (code != 41) {
            EXPECT_NE(isError(static_cast<std::uint8_t>(code)),
                      isWarning(static_cast<std::uint8_t>(code)))
                << code;
        }
    }
}

TEST(FormatDiagnostic, ErrorsAndWarnings) {
    EXPECT_EQ(formatDiagnostic(2), "***** _ERROR 2 : ILLEGAL MNEMONIC *****");
    EXPECT_EQ(formatDiagnostic(1), "***** _ERROR 1 : SYNTAX _ERROR *****");
    EXPECT_EQ(formatDiagnostic(8), "***** _ERROR 8 : EXTRA CHARACTERS AT AND OF OPERAND *****");
    EXPECT_EQ(formatDiagnostic(23), "***** _ERROR 23 : ')' EXPECTED *****");
    EXPECT_EQ(formatDiagnostic(40), "***** _ERROR 40 : ILLEGAL CHARACTER IN LABEL *****");
    EXPECT_EQ(formatDiagnostic(42), "***** WORNING 1 : NON-EXISTENT INTERNAL RAM ADDRESS *****");
    EXPECT_EQ(formatDiagnostic(43), "***** WORNING 2 : SYMBOL TYPE CHANGE *****");
}

TEST(WriteDiagnostic, WritesALineOnlyForACode) {
    std::ostringstream out;
    writeDiagnostic(0, out);
    EXPECT_EQ(out.str(), "");
    writeDiagnostic(35, out);
    EXPECT_EQ(out.str(), "***** _ERROR 35 : UNEXPECTED ENDIF *****\r\n");
}

} // namespace
} // namespace tasm
