// One assembly run: file naming and opening, the pass, listing, HEX file, banner and totals.
#pragma once

#include "asm/driver/report_sink.h"

#include <string>

namespace tasm {

enum RunStatus : int {
    RUN_CLEAN = 0,       // no error counted
    RUN_ERRORS = 1,      // errors counted; the listing is written, the HEX file left empty
    RUN_NOT_STARTED = 2, // refused name, unreadable source or outputs that cannot be created
};

void showBanner(ReportSink& report);

// The extension from the last dot of the file name, the dot included; empty when none.
std::string fileExtension(const std::string& path);
// The path with its last extension replaced, or the extension appended when there is none.
std::string changeExtension(const std::string& path, const std::string& extension);

RunStatus runAssembly(const std::string& sourceName, ReportSink& report);

} // namespace tasm
