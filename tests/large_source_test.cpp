// Large sources: no fixed capacity limits a run, and every line reaches the listing.
#include "asm/driver/run.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace tasm {
namespace {

TEST(LargeSource, HundredThousandDataLinesAreAllListed) {
    fs::path dir = fs::temp_directory_path() / "tarnik-large";
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        std::ofstream source(dir / "big.asm", std::ios::binary);
        for (int i = 0; i < 100000; ++i) {
            switch (i % 4) {
            case 0:
                source << "L" << i << ": DB " << i % 256 << "," << (i * 7) % 256 << "\r\n";
                break;
            case 1: source << "C" << i << " EQU " << i % 1000 << " ; constant\r\n"; break;
            case 2: source << "        DW " << i % 65536 << ",L" << i - 2 << "\r\n"; break;
            default: source << "; comment " << i << "\r\n"; break;
            }
        }
    }
    ReportLines report;
    EXPECT_EQ(runAssembly((dir / "big.asm").string(), report), RUN_CLEAN);
    EXPECT_EQ(report.lines[report.lines.size() - 2],
              "    Lines assembled: 100000\t      Assemble Errors: 0");

    std::ifstream listing(dir / "big.lst", std::ios::binary);
    std::string line;
    int numbered = 0;
    std::string last;
    while (std::getline(listing, line)) {
        if (line.size() > 6 && line[5] != ' ') {
            ++numbered;
            last = line;
        }
    }
    EXPECT_EQ(numbered, 100000);
    EXPECT_EQ(last.substr(0, 8), "100000  ");
    EXPECT_NE(last.find("; comment 99999"), std::string::npos);
    fs::remove_all(dir);
}

} // namespace
} // namespace tasm
