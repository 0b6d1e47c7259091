#include "macro.h"

#include "asm/source/text_class.h"

#include <cstring>

namespace tasm {

void Macro::appendLine(const char* rawLine, ObjPool& pool) {
    bool hasParam = false;
    for (const auto& formal : formals) {
        if (std::strstr(rawLine, formal.c_str()) != nullptr) {
            hasParam = true;
            break;
        }
    }
    bodyLines.push_back({pool.copyText(rawLine), hasParam});
}

bool Macro::nextLine(char* buffer, int capacity, LineInfo& info) {
    if (currentLine >= bodyLines.size()) {
        return false;
    }
    const MacLine& line = bodyLines[currentLine++];
    info.cut = false;
    if (line.hasParam) {
        std::string text = line.text;
        auto limit = static_cast<std::size_t>(capacity - 1);
        for (std::size_t i = 0; i < formals.size() && i < actuals.size(); ++i) {
            if (!substitute(text, formals[i], actuals[i], limit)) {
                info.cut = true;
            }
        }
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        info.text = buffer;
        info.level = static_cast<std::uint8_t>((level & LEVEL_MASK) | COPY_TEXT);
    } else {
        std::size_t n = std::strlen(line.text);
        std::memcpy(buffer, line.text, n + 1);
        info.text = line.text;
        info.level = static_cast<std::uint8_t>(level & LEVEL_MASK);
    }
    return true;
}

void Macro::rewind() {
    currentLine = 0;
    actuals.clear();
}

bool substitute(std::string& line, const std::string& name, const std::string& text,
                std::size_t capacity) {
    bool whole = true;
    std::size_t at = 0;
    while ((at = line.find(name, at)) != std::string::npos) {
        std::size_t end = at + name.size();
        bool before = at == 0 || !isNameChar(line[at - 1]);
        bool after = end == line.size() || !isNameChar(line[end]);
        if (before && after) {
            line.replace(at, name.size(), text);
            at += text.size();
            // Cutting at every step keeps the work bounded whatever the arguments hold.
            if (line.size() > capacity) {
                line.resize(capacity);
                whole = false;
            }
        } else {
            at = end;
        }
    }
    return whole;
}

} // namespace tasm
