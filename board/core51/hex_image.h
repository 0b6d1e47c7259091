// Loads an Intel HEX file into the 64 KB code memory of the simulated board.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace core51 {

// Answers an empty text on success, else what is wrong with the file.
std::string loadHexImage(const std::string& path, std::array<std::uint8_t, 65536>& memory);

} // namespace core51
