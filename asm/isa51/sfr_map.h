// Which byte addresses of the 8051 exist: all internal RAM below 80h, and the 21 SFRs above.
#pragma once

#include <cstdint>

namespace tasm {

// One bit per address 80h-FFh: byte (a - 80h) / 8, bit a AND 7.
inline constexpr std::uint8_t sfrMap[16] = {0x8F, 0x3F, 0x01, 0x03, 0x01, 0x01, 0x01, 0x01,
                                            0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00};

inline bool ramAddressExists(std::uint8_t a) {
    return a < 0x80 || ((sfrMap[(a >> 3) & 0x0F] >> (a & 7)) & 1) != 0;
}

} // namespace tasm
