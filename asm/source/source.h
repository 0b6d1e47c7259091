// Line sources and the source stack: the file at the bottom, macro expansions on top of it.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>

namespace tasm {

constexpr int LINE_CAPACITY = 161; // 160 characters and the NUL
constexpr std::uint8_t LEVEL_MASK = 0x3F;
constexpr std::uint8_t COPY_TEXT = 0x40;

// Travels with every line into its element, so the listing can find the line again.
struct LineInfo {
    std::uint32_t position = 0; // where a file line begins; a key for reading it again
    std::uint8_t level = 0;     // bits 0-5 the source's nesting level, bit 6 COPY_TEXT
    bool cut = false;           // an expanded line that substitution made too long was cut
    const char* text = nullptr; // the text of an expanded macro line
};

class Source {
public:
    virtual ~Source() = default;
    virtual bool nextLine(char* buffer, int capacity, LineInfo& info) = 0;
    virtual bool lineAt(char* /*buffer*/, int /*capacity*/, std::uint32_t /*position*/) {
        return false;
    }
    virtual bool isTemporary() const { return false; }
    virtual void rewind() {}

    Source* outer = nullptr;
    int level = 0;
};

// Reads the source file. Lines are not kept: the listing reads them again by position.
// CR LF and a lone LF both end a line; the stream must be opened in binary mode.
class FileSource : public Source {
public:
    explicit FileSource(std::istream& stream);
    bool nextLine(char* buffer, int capacity, LineInfo& info) override;
    bool lineAt(char* buffer, int capacity, std::uint32_t position) override;
    void rewind() override;

private:
    bool readRawLine(char* buffer, int capacity);
    bool fill(); // false at the end of the stream
    void restartAt(std::uint32_t offset);

    std::istream& stream_;
    std::uint32_t position_ = 0;
    // Characters read ahead from the stream: the file is read in large blocks, not byte by byte.
    std::unique_ptr<char[]> block_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

// Pushes a source on the stack; answers none when it is already on it (a recursive macro).
Source* pushSource(Source* source, Source* top);

// Takes the top source off the stack: deleted when temporary, otherwise rewound.
void dropSource(Source*& top);

// Reads the next line from the top of the stack, dropping exhausted sources.
bool readNextLine(Source*& top, char* buffer, LineInfo& info);

} // namespace tasm
