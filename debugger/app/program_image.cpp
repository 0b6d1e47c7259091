#include "program_image.h"

#include <fstream>

namespace tarnik {

namespace {

const char* const ERROR_CAPTION = " Error! ";
constexpr int LINE_LIMIT = 179; // the line break included

// One line as text mode would deliver it: CR LF becomes the line break. Answers the number
// of characters read, at most LINE_LIMIT, 0 at the end of the file.
int readLine(std::istream& in, char* line) {
    std::streambuf* buf = in.rdbuf();
    constexpr auto eof = std::char_traits<char>::eof();
    int n = 0;
    while (n < LINE_LIMIT) {
        int c = buf->sbumpc();
        if (c == eof) {
            break;
        }
        if (c == '\r' && buf->sgetc() == '\n') {
            c = buf->sbumpc();
        }
        line[n++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    return n;
}

} // namespace

std::uint8_t hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>(c - 'a' + 10);
    }
    return 0xFF;
}

int hexPair(const char* two) {
    std::uint8_t high = hexDigit(two[0]);
    std::uint8_t low = hexDigit(two[1]);
    if (high == 0xFF || low == 0xFF) {
        return -1;
    }
    return high * 16 + low;
}

int readHexFile(std::istream& file, Image32K& image, std::uint16_t& first, std::uint16_t& last) {
    first = 0x8000;
    last = 0x0000;
    char line[LINE_LIMIT + 1];
    for (;;) {
        int read = readLine(file, line);
        if (read == 0) {
            return HexFormatError; // the file ended before an end record
        }
        // The last character is taken to be the line break and is not examined.
        int n = read - 1;
        if (n < 11 || line[0] != ':') {
            return HexFormatError;
        }
        for (int i = 1; i < n; ++i) {
            if (hexDigit(line[i]) == 0xFF) {
                return HexFormatError;
            }
        }
        int count = hexPair(line + 1);
        int addressHigh = hexPair(line + 3);
        int addressLow = hexPair(line + 5);
        int type = hexPair(line + 7);
        int sum = (count + addressHigh + addressLow + type) & 0xFF;
        if (n != 2 * count + 11) {
            return HexFormatError;
        }
        auto start = static_cast<std::uint16_t>(addressHigh * 256 + addressLow);
        auto end = static_cast<std::uint16_t>(start + count - 1);
        if (type == 0x00) {
            if (start > 0x7FFF || end > 0x7FFF) {
                return HexAddressTooLarge;
            }
            first = std::min(first, start);
            last = std::max(last, end);
            for (int i = 0; i < count; ++i) {
                int byte = hexPair(line + 9 + 2 * i);
                image[start + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(byte);
                sum += byte;
            }
            sum += hexPair(line + 9 + 2 * count);
            if ((sum & 0xFF) != 0) {
                first = last = 0x0000;
                return HexChecksumError;
            }
        } else if (type == 0x01) {
            if (count != 0 || addressHigh != 0 || addressLow != 0) {
                return HexFormatError;
            }
            sum += hexPair(line + 9);
            if ((sum & 0xFF) != 0) {
                first = last = 0x0000;
                return HexChecksumError;
            }
            return HexOk; // nothing after the end record is read
        }
        // Any other record type is skipped, its check byte unexamined.
    }
}

int loadHexFile(const std::string& path, ProgramImage& program, UserMessages& messages) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open() || path.empty()) {
        messages.showMessage("Nie można otworzyć pliku:\n\n " + path + "\n", ERROR_CAPTION);
        return HexFormatError;
    }
    program.bytes.fill(0xFF);
    int code = readHexFile(file, program.bytes, program.loadedFirst, program.loadedLast);
    if (code == HexFormatError || code == HexChecksumError) {
        messages.showMessage("Błąd formatu pliku hex.\n", ERROR_CAPTION);
    } else if (code == HexAddressTooLarge) {
        messages.showMessage("Za duży adres w pliku hex.\n", ERROR_CAPTION);
    }
    return code;
}

} // namespace tarnik
