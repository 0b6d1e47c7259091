#include "source.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace tasm {
namespace {

struct Line {
    std::string text;
    std::uint32_t position;
};

std::vector<Line> readAll(const std::string& content) {
    std::istringstream in(content);
    FileSource file(in);
    Source* top = &file;
    std::vector<Line> lines;
    char buffer[LINE_CAPACITY];
    LineInfo info;
    while (readNextLine(top, buffer, info)) {
        lines.push_back({buffer, info.position});
    }
    return lines;
}

std::vector<std::string> texts(const std::vector<Line>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) {
        out.push_back(l.text);
    }
    return out;
}

TEST(FileSource, LineEnds) {
    using V = std::vector<std::string>;
    struct Case {
        std::string content;
        V lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\n", {""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}}, // a last line without a line end
        {"a\rb\n", {"a\rb"}},           // a lone CR is an ordinary character
        {"tab\there\n", {"tab\there"}},
        {"x\r", {"x\r"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(texts(readAll(c.content)), c.lines) << c.content;
    }
}

TEST(FileSource, LongLinesAreCutAt160Characters) {
    std::string line200(200, 'x');
    auto lines = texts(readAll(line200 + "\nend\n"));
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], std::string(160, 'x'));
    EXPECT_EQ(lines[1], std::string(40, 'x'));
    EXPECT_EQ(lines[2], "end");

    std::string huge(10000, 'y');
    auto many = texts(readAll(huge));
    ASSERT_EQ(many.size(), 63U); // 62 full pieces and 80 characters
    EXPECT_EQ(many.back(), std::string(80, 'y'));
}

TEST(FileSource, PositionsCountTwoCharactersPerLineEnd) {
    auto lines = readAll("ab\ncde\r\nf");
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0].position, 0U);
    EXPECT_EQ(lines[1].position, 4U);
    EXPECT_EQ(lines[2].position, 9U);
}

TEST(FileSource, LineAtReadsBackWhatThePassRead) {
    // Bare line feeds make the keys differ from the true offsets; reading in order still works.
    std::istringstream in("first\nsecond\nthird\n");
    FileSource file(in);
    char buffer[LINE_CAPACITY];
    LineInfo info;
    std::vector<std::uint32_t> positions;
    while (file.nextLine(buffer, LINE_CAPACITY, info)) {
        positions.push_back(info.position);
    }
    file.rewind();
    std::vector<std::string> again;
    for (auto p : positions) {
        ASSERT_TRUE(file.lineAt(buffer, LINE_CAPACITY, p));
        again.emplace_back(buffer);
    }
    EXPECT_EQ(again, (std::vector<std::string>{"first", "second", "third"}));
}

TEST(FileSource, NulAndHighBytesDoNotEndTheLine) {
    std::string content("a\0b\n\xC3\xA9\n", 7);
    auto lines = readAll(content);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].text, "a"); // the text ends at the NUL; the line is still one line
    EXPECT_EQ(lines[1].position, 5U);
    EXPECT_EQ(lines[1].text, "\xC3\xA9");
}

class Fixed : public Source {
public:
    explicit Fixed(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    bool nextLine(char* buffer, int, LineInfo& info) override {
        if (next_ >= lines_.size()) {
            return false;
        }
        std::snprintf(buffer, LINE_CAPACITY, "%s", lines_[next_++].c_str());
        info.level = static_cast<std::uint8_t>(level);
        return true;
    }
    void rewind() override {
        next_ = 0;
        ++rewinds;
    }
    int rewinds = 0;

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

TEST(SourceStack, PushedSourcesAreReadFirstAndRewoundWhenDone) {
    Fixed bottom({"b1", "b2"});
    Fixed macro({"m1"});
    Source* top = &bottom;
    char buffer[LINE_CAPACITY];
    LineInfo info;
    ASSERT_TRUE(readNextLine(top, buffer, info));
    EXPECT_STREQ(buffer, "b1");
    top = pushSource(&macro, top);
    ASSERT_EQ(top, &macro);
    EXPECT_EQ(macro.level, 1);
    ASSERT_TRUE(readNextLine(top, buffer, info));
    EXPECT_STREQ(buffer, "m1");
    EXPECT_EQ(info.level, 1);
    ASSERT_TRUE(readNextLine(top, buffer, info));
    EXPECT_STREQ(buffer, "b2");
    EXPECT_EQ(macro.rewinds, 1);
    EXPECT_FALSE(readNextLine(top, buffer, info));
    EXPECT_EQ(top, nullptr);
    EXPECT_EQ(bottom.rewinds, 1);
}

TEST(SourceStack, ASourceCannotBePushedTwice) {
    Fixed bottom({"b"});
    Fixed a({"a"});
    Fixed b({"b"});
    Source* top = pushSource(&a, &bottom);
    top = pushSource(&b, top);
    EXPECT_EQ(b.level, 2);
    EXPECT_EQ(pushSource(&a, top), nullptr);
    EXPECT_EQ(a.outer, &bottom); // unchanged
}

} // namespace
} // namespace tasm
