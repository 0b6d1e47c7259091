// Character classes of the source language. Only ASCII counts: bytes from 80h up are neither
// letters, digits, visible characters nor white space, whatever the locale.
#pragma once

namespace tasm {

inline bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool isVisible(char c) {
    return c >= 0x21 && c <= 0x7E;
}
inline bool isWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool isNameChar(char c) {
    return isAsciiLetter(c) || isAsciiDigit(c) || c == '_';
}

} // namespace tasm
