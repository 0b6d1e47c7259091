#include "hex_image.h"

#include <fstream>

namespace core51 {

namespace {
int hexValue(const std::string& line, std::size_t at) {
    auto digit = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                      : -1;
    };
    if (at + 1 >= line.size()) {
        return -1;
    }
    int high = digit(line[at]);
    int low = digit(line[at + 1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}
} // namespace

std::string loadHexImage(const std::string& path, std::array<std::uint8_t, 65536>& memory) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return "cannot open " + path;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        int count = hexValue(line, 1);
        if (line.empty() || line[0] != ':' || count < 0 ||
            line.size() != 11 + 2 * static_cast<std::size_t>(count)) {
            return path + ": line " + std::to_string(number) + " is not an Intel HEX record";
        }
        int sum = 0;
        for (std::size_t i = 1; i + 1 < line.size(); i += 2) {
            int v = hexValue(line, i);
            if (v < 0) {
                return path + ": line " + std::to_string(number) + " has a bad digit";
            }
            sum += v;
        }
        if (sum % 256 != 0) {
            return path + ": line " + std::to_string(number) + " has a wrong check byte";
        }
        int type = hexValue(line, 7);
        if (type == 1) {
            return "";
        }
        if (type == 0) {
            int address = hexValue(line, 3) * 256 + hexValue(line, 5);
            for (int i = 0; i < count; ++i) {
                memory[static_cast<std::size_t>((address + i) & 0xFFFF)] =
                    static_cast<std::uint8_t>(hexValue(line, 9 + 2 * static_cast<std::size_t>(i)));
            }
        }
    }
    return path + ": no end record";
}

} // namespace core51
