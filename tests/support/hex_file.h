// Intel HEX files for the debugger's tests, and a small program to step through.
#pragma once

#include "tests/support/board_peer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace tarnik::testing {

// An Intel HEX file of the given bytes from the given address.
inline std::string hexFile(const std::string& name, std::uint16_t address, const Bytes& bytes) {
    // Tests run side by side: each process writes files of its own.
    auto path = std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
    std::ofstream out(path, std::ios::binary);
    for (std::size_t at = 0; at < bytes.size(); at += 16) {
        std::size_t n = std::min<std::size_t>(16, bytes.size() - at);
        unsigned a = address + at;
        unsigned sum = static_cast<unsigned>(n) + (a >> 8) + (a & 0xFF);
        char text[8];
        std::snprintf(text, sizeof text, ":%02X%04X", static_cast<unsigned>(n), a);
        out << text << "00";
        for (std::size_t i = 0; i < n; ++i) {
            std::snprintf(text, sizeof text, "%02X", bytes[at + i]);
            out << text;
            sum += bytes[at + i];
        }
        std::snprintf(text, sizeof text, "%02X", (256 - sum % 256) % 256);
        out << text << "\r\n";
    }
    out << ":00000001FF\r\n";
    return path.string();
}

// 0000 LJMP 0100H / 0100 LCALL 8110H / 0103 ACALL 0110H / 0105 SJMP 0100H / 0110 RET
inline Bytes stepProgram() {
    Bytes b(0x111, 0xFF);
    b[0] = 0x02, b[1] = 0x01, b[2] = 0x00;
    b[0x100] = 0x12, b[0x101] = 0x81, b[0x102] = 0x10;
    b[0x103] = 0x31, b[0x104] = 0x10;
    b[0x105] = 0x80, b[0x106] = 0xF9;
    b[0x110] = 0x22;
    return b;
}

} // namespace tarnik::testing
