#include "monitor_image.h"

namespace tarnik {

void loadImageRecords(MonitorImage& image, const std::uint8_t* list) {
    image.bytes.fill(0xFF);
    if (list == nullptr) {
        return;
    }
    int records = list[0] * 256 + list[1];
    const std::uint8_t* p = list + 2;
    for (int r = 0; r < records; ++r) {
        int address = p[0] * 256 + p[1];
        int length = p[2] * 256 + p[3];
        for (int i = 0; i < length; ++i) {
            image.bytes[static_cast<std::size_t>(address + i) & 0x7FFF] = p[4 + i];
        }
        p += 4 + length;
    }
}

namespace {

struct Selection {
    std::uint16_t model;
    std::uint16_t version;
    int image;  // 1 to 9
    char patch; // the minor version digit written to EPROM 0079H, or 0
};

// Tarnik-R and Tarnik-T monitors 2.3 and 2.4 share the code of their 2.2 image; only the
// identification text's last digit differs.
constexpr Selection selections[] = {
    {1, 22, 1, 0},   {1, 23, 2, 0},   {1, 24, 3, 0},   {1, 30, 4, 0}, {2, 22, 5, 0},
    {2, 23, 5, '3'}, {2, 24, 5, '4'}, {3, 22, 6, 0},   {3, 23, 7, 0}, {3, 24, 8, 0},
    {4, 22, 9, 0},   {4, 23, 9, '3'}, {4, 24, 9, '4'},
};

} // namespace

bool selectMonitorImage(MonitorImage& image, std::uint16_t model, std::uint16_t version) {
    for (const Selection& s : selections) {
        if (s.model == model && s.version == version) {
            loadImageRecords(image, monitorRecordLists[s.image - 1]);
            if (s.patch != 0) {
                image.bytes[0x0079] = static_cast<std::uint8_t>(s.patch);
            }
            return true;
        }
    }
    return false;
}

} // namespace tarnik
