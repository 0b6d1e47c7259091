#include "source.h"

#include <algorithm>
#include <cstring>

namespace tasm {

namespace {
constexpr std::size_t BLOCK_SIZE = 65536;
} // namespace

FileSource::FileSource(std::istream& stream) : stream_(stream), block_(new char[BLOCK_SIZE]) {}

bool FileSource::fill() {
    std::streamsize n = stream_.rdbuf()->sgetn(block_.get(), BLOCK_SIZE);
    next_ = 0;
    end_ = n > 0 ? static_cast<std::size_t>(n) : 0;
    return end_ > 0;
}

void FileSource::restartAt(std::uint32_t offset) {
    stream_.clear();
    stream_.seekg(offset);
    next_ = end_ = 0;
    position_ = offset;
}

bool FileSource::readRawLine(char* buffer, int capacity) {
    const auto room = static_cast<std::size_t>(capacity - 1);
    std::size_t stored = 0;
    bool lineEnd = false;
    bool atEnd = false;
    while (stored < room) {
        if (next_ == end_ && !fill()) {
            atEnd = true;
            break;
        }
        std::size_t n = std::min(end_ - next_, room - stored);
        const char* from = block_.get() + next_;
        const auto* newline = static_cast<const char*>(std::memchr(from, '\n', n));
        std::size_t take = newline != nullptr ? static_cast<std::size_t>(newline - from) : n;
        std::memcpy(buffer + stored, from, take);
        stored += take;
        next_ += take;
        if (newline != nullptr) {
            ++next_;
            lineEnd = true;
            break;
        }
    }
    // CR LF ends a line as LF does; a CR that filled the line's last place may still be one.
    if (!lineEnd && !atEnd && stored > 0 && buffer[stored - 1] == '\r' &&
        (next_ < end_ || fill()) && block_[next_] == '\n') {
        ++next_;
        lineEnd = true;
    }
    if (lineEnd && stored > 0 && buffer[stored - 1] == '\r') {
        --stored;
    }
    buffer[stored] = '\0';
    if (stored == 0 && atEnd) {
        return false;
    }
    // Two characters for every line end, whether the line has one or not: only a key.
    position_ += static_cast<std::uint32_t>(stored) + 2;
    return true;
}

bool FileSource::nextLine(char* buffer, int capacity, LineInfo& info) {
    info.position = position_;
    info.level = static_cast<std::uint8_t>(level & LEVEL_MASK);
    info.cut = false;
    return readRawLine(buffer, capacity);
}

bool FileSource::lineAt(char* buffer, int capacity, std::uint32_t position) {
    if (position != position_) {
        restartAt(position);
    }
    return readRawLine(buffer, capacity);
}

void FileSource::rewind() {
    restartAt(0);
}

Source* pushSource(Source* source, Source* top) {
    for (Source* s = top; s != nullptr; s = s->outer) {
        if (s == source) {
            return nullptr;
        }
    }
    source->outer = top;
    source->level = top != nullptr ? top->level + 1 : 0;
    return source;
}

void dropSource(Source*& top) {
    Source* done = top;
    top = done->outer;
    if (done->isTemporary()) {
        delete done;
    } else {
        done->rewind();
    }
}

bool readNextLine(Source*& top, char* buffer, LineInfo& info) {
    while (top != nullptr) {
        if (top->nextLine(buffer, LINE_CAPACITY, info)) {
            return true;
        }
        dropSource(top);
    }
    return false;
}

} // namespace tasm
