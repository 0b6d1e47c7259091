#include "statement.h"

#include "asm/source/diagnostics.h"
#include "asm/source/text_class.h"

#include <cstring>

namespace tasm {

namespace {

// Quote state: a single quote is closed only by a single quote, a double by a double.
void trackQuote(char c, char& open) {
    if (open == 0) {
        if (c == '\'' || c == '"') {
            open = c;
        }
    } else if (c == open) {
        open = 0;
    }
}

} // namespace

void stripComment(const char* rawLine, char* workLine) {
    char open = 0;
    std::size_t i = 0;
    for (;;) {
        // Only semicolons and quotes matter; everything between them is copied in one go.
        i += std::strcspn(rawLine + i, open == 0 ? ";'\"" : open == '\'' ? "'" : "\"");
        char c = rawLine[i];
        if (c == '\0' || (c == ';' && open == 0)) {
            break;
        }
        trackQuote(c, open);
        ++i;
    }
    std::memcpy(workLine, rawLine, i);
    workLine[i] = '\0';
}

std::uint8_t splitStatement(Statement& statement, char* line) {
    statement.labelKind = 0;
    statement.label = "";
    statement.mnemonic = "";
    std::uint8_t code = 0;
    char* p = line;
    statement.cursor = p;
    if (isVisible(*p)) {
        char* field = p;
        while (isVisible(*p) && *p != ':') {
            ++p;
        }
        bool valid = isAsciiLetter(*field) || *field == '_';
        for (char* q = field + 1; valid && q < p; ++q) {
            valid = isNameChar(*q);
        }
        if (valid && p > field) {
            statement.label = field;
            statement.labelKind = *p == ':' ? 1 : 2;
        } else {
            code = DIAG_ILLEGAL_LABEL_CHAR;
        }
        if (*p == '\0') {
            statement.cursor = p;
            return code;
        }
        *p++ = '\0';
    }
    while (isWhiteSpace(*p)) {
        ++p;
    }
    if (*p == '\0') {
        statement.cursor = p;
        return code;
    }
    statement.mnemonic = p;
    while (isVisible(*p)) {
        ++p;
    }
    if (*p != '\0') {
        *p++ = '\0';
    }
    statement.cursor = p;
    return code;
}

int nextOperand(Statement& statement, const char*& text) {
    char* p = statement.cursor;
    text = nullptr;
    while (isWhiteSpace(*p)) {
        ++p;
    }
    if (*p == '\0') {
        statement.cursor = p;
        return OPND_NONE;
    }
    if (*p == ',') {
        *p = '\0';
        statement.cursor = p + 1;
        return OPND_EMPTY;
    }
    char* start = p;
    char open = 0;
    for (;;) {
        p += std::strcspn(p, open == 0 ? ",'\"" : open == '\'' ? "'" : "\"");
        if (*p == '\0' || (*p == ',' && open == 0)) {
            break;
        }
        trackQuote(*p, open);
        ++p;
    }
    int result = 0;
    char* end = p;
    if (*p == '\0') {
        result |= OPND_LAST;
        statement.cursor = p;
    } else {
        *p = '\0';
        statement.cursor = p + 1;
    }
    while (end > start && isWhiteSpace(end[-1])) {
        *--end = '\0';
    }
    if (open != 0) {
        result |= OPND_OPENQUOTE;
    }
    text = start;
    return result;
}

std::uint8_t singleOperand(Statement& statement, const char*& text) {
    int result = nextOperand(statement, text);
    if ((result & OPND_EMPTY) != 0) {
        return DIAG_EMPTY_OPERAND;
    }
    if ((result & OPND_NONE) != 0) {
        return DIAG_MISSING_OPERAND;
    }
    if ((result & OPND_LAST) == 0) {
        return DIAG_EXTRA_CHARACTERS;
    }
    return 0;
}

} // namespace tasm
