#include "source.h"

namespace tasm {

bool FileSource::readRawLine(char* buffer, int capacity) {
    std::streambuf* in = stream_.rdbuf();
    constexpr auto eof = std::char_traits<char>::eof();
    int stored = 0;
    bool atEnd = false;
    while (stored < capacity - 1) {
        int c = in->sbumpc();
        if (c == eof) {
            atEnd = true;
            break;
        }
        if (c == '\n') {
            break;
        }
        if (c == '\r' && in->sgetc() == '\n') {
            in->sbumpc();
            break;
        }
        buffer[stored++] = static_cast<char>(c);
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
        stream_.clear();
        stream_.seekg(position);
        position_ = position;
    }
    return readRawLine(buffer, capacity);
}

void FileSource::rewind() {
    stream_.clear();
    stream_.seekg(0);
    position_ = 0;
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

bool readNextLine(Source*& top, char* buffer, LineInfo& info) {
    while (top != nullptr) {
        if (top->nextLine(buffer, LINE_CAPACITY, info)) {
            return true;
        }
        Source* done = top;
        top = done->outer;
        if (done->isTemporary()) {
            delete done;
        } else {
            done->rewind();
        }
    }
    return false;
}

} // namespace tasm
