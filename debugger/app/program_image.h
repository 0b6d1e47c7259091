// The user's program as loaded from an Intel HEX file, and the reader of the 64 KB code space.
#pragma once

#include "debugger/app/user_messages.h"

#include <array>
#include <cstdint>
#include <istream>
#include <string>

namespace tarnik {

constexpr std::size_t IMAGE_SIZE = 32768;
using Image32K = std::array<std::uint8_t, IMAGE_SIZE>;

enum HexResult : int {
    HexOk = 0,
    HexFormatError = 1,
    HexChecksumError = 2,
    HexAddressTooLarge = 3,
};

// Code addresses 0000H-7FFFH, with the range the last load filled.
struct ProgramImage {
    ProgramImage() { bytes.fill(0xFF); }
    Image32K bytes;
    std::uint16_t loadedFirst = 0x8000;
    std::uint16_t loadedLast = 0x0000;
};

// The value of a hex digit, FFh for any other character.
std::uint8_t hexDigit(char c);
// The byte two hex digits spell, or -1.
int hexPair(const char* two);

// Reads records into image until the end record; first and last get the range covered.
int readHexFile(std::istream& file, Image32K& image, std::uint16_t& first, std::uint16_t& last);

// Opens, reads and closes the file; shows a message for any failure. Answers 0 for success.
int loadHexFile(const std::string& path, ProgramImage& program, UserMessages& messages);

} // namespace tarnik
