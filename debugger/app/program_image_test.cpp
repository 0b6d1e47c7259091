#include "debugger/app/code_space.h"
#include "program_image.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace tarnik {
namespace {

struct Messages : UserMessages {
    void showMessage(const std::string& text, const std::string& caption) override {
        shown.push_back(caption + "|" + text);
    }
    std::vector<std::string> shown;
};

std::string load(const std::string& content, ProgramImage& program, Messages& messages) {
    auto path = std::filesystem::temp_directory_path() / "tarnik-load-test.hex";
    std::ofstream(path, std::ios::binary) << content;
    int code = loadHexFile(path.string(), program, messages);
    return std::to_string(code);
}

TEST(ReadHexFile, ResultCodesAndRange) {
    struct Case {
        const char* content;
        int code;
        int first;
        int last;
    };
    const Case cases[] = {
        {":00000001FF\n", HexOk, 0x8000, 0x0000},
        {":00000001FF\r\n", HexOk, 0x8000, 0x0000},
        {":00000001FF", HexFormatError, 0x8000, 0x0000}, // the end record needs its line break
        {":0200000074058500\n", HexFormatError, 0x8000, 0x0000},
        {":020000007405\x38\x35\r\n:00000001FF\r\n", HexOk, 0x0000, 0x0001},
        {":02010000abcd85\n:00000001ff\n", HexOk, 0x0100, 0x0101},
        {":017FFF00552C\n:00000001FF\n", HexOk, 0x7FFF, 0x7FFF},
        {":027FFF005555D0\n:00000001FF\n", HexAddressTooLarge, 0x8000, 0x0000},
        {":00000000FF\n:00000001FF\n", HexAddressTooLarge, 0x8000, 0x0000},
        {":00010000FF\n:00000001FF\n", HexOk, 0x0100, 0x00FF},
        {":020000040000FA\n:0100000011EE\n:00000001FF\n", HexOk, 0x0000, 0x0000},
        {":02000002000012\n:00000001FF\n", HexOk, 0x8000, 0x0000}, // bad check byte, type 02
        {":0100000011EE\n:0100010022FF\n:00000001FF\n", HexChecksumError, 0x0000, 0x0000},
        {"", HexFormatError, 0x8000, 0x0000},
        {":0100000011EE\n", HexFormatError, 0x0000, 0x0000},
        {":00000001FF\ngarbage that is never read\n", HexOk, 0x8000, 0x0000},
        {":0000000\n", HexFormatError, 0x8000, 0x0000},
        {"0100000011EE\n", HexFormatError, 0x8000, 0x0000},
        {":01000000G1EE\n", HexFormatError, 0x8000, 0x0000},
        {":01000100FF\n:00000001FF\n", HexFormatError, 0x8000, 0x0000}, // end record with a count
        {":00000101FE\n", HexFormatError, 0x8000, 0x0000},
        {":00000001FE\n", HexChecksumError, 0x0000, 0x0000},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.content);
        Image32K image;
        image.fill(0xFF);
        std::uint16_t first = 1;
        std::uint16_t last = 1;
        EXPECT_EQ(readHexFile(in, image, first, last), c.code) << c.content;
        EXPECT_EQ(first, c.first) << c.content;
        EXPECT_EQ(last, c.last) << c.content;
    }
}

TEST(ReadHexFile, RecordsOfEightyThreeAndEightyFourBytes) {
    auto record = [](int count) {
        std::string r = ":";
        char head[16];
        std::snprintf(head, sizeof head, "%02X000000", count);
        r += head;
        int sum = count;
        for (int i = 0; i < count; ++i) {
            r += "01";
            sum += 1;
        }
        std::snprintf(head, sizeof head, "%02X\n", (256 - sum % 256) % 256);
        return r + head + ":00000001FF\n";
    };
    Image32K image;
    std::uint16_t first = 0;
    std::uint16_t last = 0;
    std::istringstream fits(record(83));
    EXPECT_EQ(readHexFile(fits, image, first, last), HexOk);
    EXPECT_EQ(last, 82);
    std::istringstream tooLong(record(84));
    EXPECT_EQ(readHexFile(tooLong, image, first, last), HexFormatError);
}

TEST(ReadHexFile, BytesBeforeAChecksumErrorAreInTheImage) {
    std::istringstream in(":0100000011EE\n:0200100022330A\n:00000001FF\n");
    Image32K image;
    image.fill(0xFF);
    std::uint16_t first = 0;
    std::uint16_t last = 0;
    EXPECT_EQ(readHexFile(in, image, first, last), HexChecksumError);
    EXPECT_EQ(image[0x0000], 0x11);
    EXPECT_EQ(image[0x0010], 0x22);
    EXPECT_EQ(image[0x0011], 0x33);
}

TEST(LoadHexFile, MessagesAndAFreshImage) {
    ProgramImage program;
    Messages messages;
    program.bytes[5] = 0x42;
    EXPECT_EQ(load(":0100000011EE\r\n:00000001FF\r\n", program, messages), "0");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(program.bytes[0], 0x11);
    EXPECT_EQ(program.bytes[5], 0xFF); // every load starts from FFh
    EXPECT_EQ(load("", program, messages), "1");
    EXPECT_EQ(load(":027FFF005555D0\n:00000001FF\n", program, messages), "3");
    EXPECT_EQ(load(":00000001FE\n", program, messages), "2");
    ASSERT_EQ(messages.shown.size(), 3U);
    EXPECT_EQ(messages.shown[0], " Error! |Błąd formatu pliku hex.\n");
    EXPECT_EQ(messages.shown[1], " Error! |Za duży adres w pliku hex.\n");
    EXPECT_EQ(messages.shown[2], " Error! |Błąd formatu pliku hex.\n");

    Messages missing;
    EXPECT_EQ(loadHexFile("/nonexistent/x.hex", program, missing), 1);
    ASSERT_EQ(missing.shown.size(), 1U);
    EXPECT_EQ(missing.shown[0], " Error! |Nie można otworzyć pliku:\n\n /nonexistent/x.hex\n");
}

TEST(HexDigits, Values) {
    EXPECT_EQ(hexDigit('0'), 0);
    EXPECT_EQ(hexDigit('f'), 15);
    EXPECT_EQ(hexDigit('F'), 15);
    EXPECT_EQ(hexDigit('g'), 0xFF);
    EXPECT_EQ(hexPair("7f"), 0x7F);
    EXPECT_EQ(hexPair("x1"), -1);
}

TEST(CodeSpace, ProgramBelow8000HMonitorAbove) {
    ProgramImage program;
    MonitorImage monitor;
    program.bytes[0x7FFF] = 0x12;
    monitor.bytes[0x0000] = 0x34;
    CodeSpace code(program, monitor);
    EXPECT_EQ(code.codeByte(0x7FFF), 0x12);
    EXPECT_EQ(code.codeByte(0x8000), 0x34);
    EXPECT_EQ(code.codeByte(0xC000), 0xFF);
}

} // namespace
} // namespace tarnik
