#include "trace.h"

#include <cstdio>
#include <zlib.h>

namespace core51 {

std::string traceLine(const Cpu51& cpu) {
    unsigned long crc = crc32(0L, cpu.iram.data(), static_cast<uInt>(cpu.iram.size()));
    char line[160];
    int n = std::snprintf(line, sizeof line,
                          "PC=%04X A=%02X B=%02X PSW=%02X SP=%02X DPTR=%04X R0..R7=", cpu.pc,
                          cpu.sfr(ACC), cpu.sfr(B), cpu.sfr(PSW), cpu.sfr(SP), cpu.dptr());
    for (int r = 0; r < 8; ++r) {
        n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%02X", cpu.reg(r));
    }
    std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), " IRAM=%08lX CYC=%llu", crc,
                  static_cast<unsigned long long>(cpu.cycles));
    return line;
}

} // namespace core51
