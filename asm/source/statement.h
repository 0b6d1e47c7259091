// The line grammar: comment removal, the label/mnemonic split and the operand cutter.
#pragma once

#include <cstdint>

namespace tasm {

constexpr int OPND_NONE = 1;
constexpr int OPND_EMPTY = 2;
constexpr int OPND_LAST = 4;
constexpr int OPND_OPENQUOTE = 8;

// One split line; the texts point into the work line, whose separators became NULs.
struct Statement {
    int labelKind = 0; // 0 none, 1 ended by a colon, 2 without a colon
    const char* label = "";
    const char* mnemonic = "";
    char* cursor = nullptr;
};

// Copies the line up to the first semicolon outside quotes.
void stripComment(const char* rawLine, char* workLine);

// Splits the line in place; answers 0 or 40 (an invalid label field).
std::uint8_t splitStatement(Statement& statement, char* line);

// Cuts the next operand; text is set unless the result is OPND_NONE or OPND_EMPTY.
int nextOperand(Statement& statement, const char*& text);

// One operand and nothing else: 0, or 6, 7 or 8.
std::uint8_t singleOperand(Statement& statement, const char*& text);

} // namespace tasm
