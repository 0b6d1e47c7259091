#include "board/monitor/monitor_layout.h"
#include "monitor_image.h"

#include <gtest/gtest.h>
#include <string>

namespace tarnik {
namespace {

struct Record {
    int address;
    int length;
    const std::uint8_t* bytes;
};

std::vector<Record> records(const std::uint8_t* list) {
    std::vector<Record> out;
    int n = list[0] * 256 + list[1];
    const std::uint8_t* p = list + 2;
    for (int i = 0; i < n; ++i) {
        Record r{p[0] * 256 + p[1], p[2] * 256 + p[3], p + 4};
        out.push_back(r);
        p += 4 + r.length;
    }
    return out;
}

std::string identification(const MonitorImage& image) {
    return std::string(reinterpret_cast<const char*>(&image.bytes[0x62]), 24);
}

TEST(MonitorImages, RecordsAreExactlyTheRangesOfEachImage) {
    const auto& layouts = imageLayouts();
    const int recordCounts[9] = {9, 9, 9, 9, 7, 10, 10, 10, 7};
    for (std::size_t i = 0; i < 9; ++i) {
        auto list = records(monitorRecordLists[i]);
        ASSERT_EQ(list.size(), static_cast<std::size_t>(recordCounts[i])) << "image " << i + 1;
        for (std::size_t r = 0; r < list.size(); ++r) {
            EXPECT_EQ(list[r].address, layouts[i].ranges[r].first) << "image " << i + 1;
            EXPECT_EQ(list[r].address + list[r].length - 1, layouts[i].ranges[r].last)
                << "image " << i + 1;
        }
    }
    // Spot checks against the documented table.
    EXPECT_EQ(layouts[1].ranges[5].last, 0x0A44);
    EXPECT_EQ(layouts[5].ranges[9].last, 0x3F68);
    EXPECT_EQ(layouts[8].ranges[5].last, 0x0439);
}

TEST(MonitorImages, IdentificationTextsSumForTheVReply) {
    const char* expected[9] = {
        "Makerlabs TRNK-1 v1 s2.2", "Makerlabs TRNK-1 v1 s2.3", "Makerlabs TRNK-1 v1 s2.4",
        "Makerlabs TRNK-1 v3 s3.0", "Makerlabs TRNK-P v1 s2.2", "Makerlabs TRNK-L v1 s2.2",
        "Makerlabs TRNK-L v1 s2.3", "Makerlabs TRNK-L v1 s2.4", "Makerlabs TRNK-M v1 s2.2",
    };
    for (int i = 0; i < 9; ++i) {
        MonitorImage image;
        loadImageRecords(image, monitorRecordLists[i]);
        std::string text = identification(image);
        EXPECT_EQ(text, expected[i]);
        // The V reply's check byte covers bytes 1 to 23, so the whole reply sums to byte 0.
        EXPECT_EQ(text[0], 'M');
        EXPECT_EQ(image.bytes[0x79], static_cast<std::uint8_t>(text[23]));
    }
}

TEST(MonitorImages, VectorsAndTheRoutineTable) {
    MonitorImage image;
    loadImageRecords(image, monitorRecordLists[8]);
    EXPECT_EQ(image.bytes[0x0000], 0x02); // LJMP at reset
    EXPECT_EQ(image.bytes[0x0003], 0x02); // LJMP at INT0
    for (int entry = 0x0100; entry <= 0x012A; entry += 2) {
        EXPECT_EQ(image.bytes[entry] & 0x1F, 0x01) << entry; // an AJMP a routine
    }
    EXPECT_EQ(image.bytes[0x4000], 0xFF);
}

TEST(SelectMonitorImage, ByModelAndVersion) {
    struct Case {
        int model;
        int version;
        bool selected;
        const char* text;
    };
    const Case cases[] = {
        {1, 22, true, "Makerlabs TRNK-1 v1 s2.2"}, {1, 30, true, "Makerlabs TRNK-1 v3 s3.0"},
        {2, 23, true, "Makerlabs TRNK-P v1 s2.3"}, {2, 24, true, "Makerlabs TRNK-P v1 s2.4"},
        {3, 24, true, "Makerlabs TRNK-L v1 s2.4"}, {4, 24, true, "Makerlabs TRNK-M v1 s2.4"},
    };
    for (const auto& c : cases) {
        MonitorImage image;
        EXPECT_EQ(selectMonitorImage(image, static_cast<std::uint16_t>(c.model),
                                     static_cast<std::uint16_t>(c.version)),
                  c.selected);
        EXPECT_EQ(identification(image), c.text);
        EXPECT_EQ(image.bytes[0x4000], 0xFF); // no image covers 4000H on: code C000H
    }
    MonitorImage image;
    ASSERT_TRUE(selectMonitorImage(image, 2, 24));
    EXPECT_EQ(image.bytes[0x79], 0x34);
    for (auto [model, version] : {std::pair{2, 30}, {3, 25}, {0, 22}, {5, 22}, {1, 21}}) {
        EXPECT_FALSE(selectMonitorImage(image, static_cast<std::uint16_t>(model),
                                        static_cast<std::uint16_t>(version)));
        EXPECT_EQ(image.bytes[0x79], 0x34); // the previous image stays
    }
    loadImageRecords(image, nullptr);
    EXPECT_EQ(image.bytes[0x79], 0xFF);
}

} // namespace
} // namespace tarnik
