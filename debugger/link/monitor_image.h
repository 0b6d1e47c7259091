// The copy of the board monitor's EPROM (code addresses 8000H-FFFFH) and the nine images the
// debugger carries, one per board model and monitor version.
#pragma once

#include "debugger/app/program_image.h"

#include <cstdint>

namespace tarnik {

struct MonitorImage {
    MonitorImage() { bytes.fill(0xFF); }
    Image32K bytes;
};

// A record list: count N (big-endian), then N records of address, length L and L bytes.
// Fills the image with FFh, then unpacks the list; none leaves it all FFh.
void loadImageRecords(MonitorImage& image, const std::uint8_t* list);

// Unpacks the image of the board that reported model and version; false for a board without
// one, leaving the image as it was.
bool selectMonitorImage(MonitorImage& image, std::uint16_t model, std::uint16_t version);

// The nine record lists, image 1 first (generated at build time from the monitor firmware).
extern const std::uint8_t* const monitorRecordLists[9];

} // namespace tarnik
