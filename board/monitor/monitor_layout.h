// The nine monitor EPROM images: which board and monitor each is, and the EPROM ranges it
// holds. The image generator cuts the assembled firmware to exactly these ranges.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tarnik {

struct EpromRange {
    std::uint16_t first;
    std::uint16_t last;
};

struct ImageLayout {
    int model;    // 1 Tarnik, 2 Tarnik-R, 3 Tarnik-S, 4 Tarnik-T
    int version;  // 22 for monitor 2.2
    int hardware; // the digit after "v" in the identification text
    std::vector<EpromRange> ranges;
};

inline const std::array<ImageLayout, 9>& imageLayouts() {
    static const std::array<ImageLayout, 9> layouts = {{
        {1,
         22,
         1,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x0A39},
          {0x1000, 0x18C8},
          {0x2000, 0x2C7A},
          {0x3000, 0x3F50}}},
        {1,
         23,
         1,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x0A44},
          {0x1000, 0x18C8},
          {0x2000, 0x2C7C},
          {0x3000, 0x3F79}}},
        {1,
         24,
         1,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x0A5E},
          {0x1000, 0x18C8},
          {0x2000, 0x2C7C},
          {0x3000, 0x3F79}}},
        {1,
         30,
         3,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x0A5E},
          {0x1000, 0x18C8},
          {0x2000, 0x2C7C},
          {0x3000, 0x3F79}}},
        {2,
         22,
         1,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x052D},
          {0x0800, 0x0EC1}}},
        {3,
         22,
         1,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x077D},
          {0x0800, 0x0A64},
          {0x1000, 0x18C8},
          {0x2000, 0x2C7C},
          {0x3000, 0x3F68}}},
        {3,
         23,
         1,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x0787},
          {0x0800, 0x0A64},
          {0x1000, 0x18C8},
          {0x2000, 0x2C7C},
          {0x3000, 0x3F79}}},
        {3,
         24,
         1,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x079B},
          {0x0800, 0x0A64},
          {0x1000, 0x18C8},
          {0x2000, 0x2C7C},
          {0x3000, 0x3F79}}},
        {4,
         22,
         1,
         {{0x0000, 0x0005},
          {0x000B, 0x000D},
          {0x0013, 0x0015},
          {0x001B, 0x001D},
          {0x0023, 0x00A4},
          {0x0100, 0x0439},
          {0x0800, 0x0EC1}}},
    }};
    return layouts;
}

} // namespace tarnik
