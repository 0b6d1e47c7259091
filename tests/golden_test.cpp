// Every fixtures/NAME.asm is assembled as a run does it; the listing, the HEX file and the
// report must equal NAME.lst, NAME.hex and NAME.report byte for byte.
// TARNIK_UPDATE_GOLDEN=1 writes the files anew (review them before committing).
#include "asm/driver/run.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace tasm {
namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> fixtureNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FIXTURE_DIR)) {
        if (entry.path().extension() == ".asm") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, ListingHexAndReport) {
    const std::string name = GetParam();
    fs::path fixtures(FIXTURE_DIR);
    fs::path work = fs::temp_directory_path() / ("tarnik-golden-" + name);
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy_file(fixtures / (name + ".asm"), work / (name + ".asm"));

    ReportLines report;
    RunStatus status = runAssembly((work / (name + ".asm")).string(), report);
    std::string reportText;
    for (std::string line : report.lines) {
        // The run's own folder differs from machine to machine.
        for (std::size_t at; (at = line.find(work.string())) != std::string::npos;) {
            line.replace(at, work.string().size(), "<dir>");
        }
        reportText += line + "\n";
    }
    std::string listing = readFile(work / (name + ".lst"));
    std::string hex = readFile(work / (name + ".hex"));
    EXPECT_EQ(status == RUN_CLEAN, hex.size() > 0) << "HEX data only from a clean run";

    if (std::getenv("TARNIK_UPDATE_GOLDEN") != nullptr) {
        writeFile(fixtures / (name + ".lst"), listing);
        writeFile(fixtures / (name + ".hex"), hex);
        writeFile(fixtures / (name + ".report"), reportText);
    }
    EXPECT_EQ(listing, readFile(fixtures / (name + ".lst")));
    EXPECT_EQ(hex, readFile(fixtures / (name + ".hex")));
    EXPECT_EQ(reportText, readFile(fixtures / (name + ".report")));
    fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Golden, ::testing::ValuesIn(fixtureNames()),
                         [](const auto& info) { return info.param; });

} // namespace
} // namespace tasm
