#include "run.h"

#include "asm/isa51/processor.h"
#include "asm/output/obj_code.h"
#include "asm/source/assembler.h"
#include "asm/source/source.h"

#include <filesystem>
#include <fstream>

namespace tasm {

namespace {

// Enough buckets that even a program of a million lines keeps its chains short.
constexpr int SYMBOL_BUCKETS = 16384;
constexpr int MNEMONIC_BUCKETS = 29;

void addBlankAndLine(ReportSink& report, const std::string& text) {
    report.addLine("");
    report.addLine(text);
}

bool equalIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
        if (x != b[i]) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

std::size_t extensionStart(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return std::string::npos;
    }
    return dot;
}

} // namespace

std::string fileExtension(const std::string& path) {
    std::size_t dot = extensionStart(path);
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string changeExtension(const std::string& path, const std::string& extension) {
    std::size_t dot = extensionStart(path);
    return (dot == std::string::npos ? path : path.substr(0, dot)) + extension;
}

void showBanner(ReportSink& report) {
    report.addLine("");
    report.addLine("\t                      Tarnik v3");
    report.addLine("\t   ( 8051 assembler for the Tarnik trainer board )");
    report.addLine("");
    report.addLine("\tTarnikAsm (8051 Assembler)  -  Version 2.1");
    report.addLine("\tTarnik software team, 2002-2026");
    report.addLine("");
    report.addLine("");
}

RunStatus runAssembly(const std::string& sourceName, ReportSink& report) {
    showBanner(report);
    std::string hexName = changeExtension(sourceName, ".hex");
    std::string listingName = changeExtension(sourceName, ".lst");
    // The source must never be truncated by opening an output over it.
    std::string extension = fileExtension(sourceName);
    if (equalIgnoringCase(extension, ".hex") || equalIgnoringCase(extension, ".lst") ||
        sameFile(sourceName, hexName) || sameFile(sourceName, listingName)) {
        addBlankAndLine(report, "Error: Illegal source file name extension.");
        return RUN_NOT_STARTED;
    }

    report.addLine("     Source file: " + sourceName);
    std::ifstream sourceStream;
    std::error_code error;
    if (!std::filesystem::is_directory(sourceName, error)) {
        sourceStream.open(sourceName, std::ios::binary);
    }
    if (!sourceStream.is_open()) {
        addBlankAndLine(report, "Error: Cant open a file: " + sourceName);
        return RUN_NOT_STARTED;
    }

    report.addLine("     Output file: " + hexName);
    std::ofstream hexStream(hexName, std::ios::binary | std::ios::trunc);
    if (!hexStream.is_open()) {
        addBlankAndLine(report, "Error: Cant create a file: " + hexName);
        return RUN_NOT_STARTED;
    }
    report.addLine("     Listing file: " + listingName);
    std::ofstream listingStream(listingName, std::ios::binary | std::ios::trunc);
    if (!listingStream.is_open()) {
        addBlankAndLine(report, "Error: Cant create a file: " + listingName);
        return RUN_NOT_STARTED;
    }
    addBlankAndLine(report, "");

    DiagnosticCounters counters;
    FileSource source(sourceStream);
    Table symbols(SYMBOL_BUCKETS, Spread::Wide);
    Proc_Tarnik instructionSet(MNEMONIC_BUCKETS);
    ObjCode code;
    {
        Assembler assembler(instructionSet, symbols, code, counters);
        assembler.assembleSource(source);
    }
    int lines = code.count();
    code.writeListing(listingStream, report);
    if (counters.errorCount == 0) {
        code.writeHex(hexStream);
    }

    addBlankAndLine(report, "");
    report.addLine("    Lines assembled: " + std::to_string(lines) +
                   "\t      Assemble Errors: " + std::to_string(counters.errorCount));
    report.addLine("\t\t\t\tWarnings: " + std::to_string(counters.warningCount));
    return counters.errorCount == 0 ? RUN_CLEAN : RUN_ERRORS;
}

} // namespace tasm
