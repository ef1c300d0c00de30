#include "common/regions.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/code_page.h"

using namespace kalvex::common;

TEST(Regions, Lookups) {
    struct Case {
        int r, m;
        const char* region;
        const char* municipality;
    } cases[] = {
        {1, 3, "Благоевград", "Благоевград"},
        {16, 9, "Пловдив", "Пловдив"},
        {22, 1, "София - град", "Столичен"},
        {22, 2, "София - град", ""},
        {22, 22, "София - град", ""},
        {23, 22, "Софийска област", "Челопеч"},
        {15, 10, "Плевен", "Червен бряг"},
        {15, 11, "Плевен", "Кнежа"},
        {28, 5, "Ямбол", "Ямбол"},
        {28, 6, "Ямбол", ""},
        {7, 0, "Габрово", "Габрово"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(regionName(c.r), c.region) << c.r;
        EXPECT_EQ(municipalityName(c.r, c.m), c.municipality) << c.r << "/" << c.m;
    }
}

TEST(Regions, IrregularTextsAreByteExact) {
    EXPECT_EQ(toCp1251(municipalityName(8, 7)),
              "\xD2"
              "e\xF0\xE2\xE5\xEB");  // Latin e
    EXPECT_EQ(municipalityName(23, 16), "Пирдоп ");
    EXPECT_EQ(municipalityName(8, 4), "Добрич -селска");
}

TEST(Regions, TableCounts) {
    int filled = 0, empty = 0;
    for (int r = 1; r <= kRegionCount; ++r)
        for (int m = 1; m < kMunicipalityColumns; ++m)
            (municipalityName(r, m).empty() ? empty : filled)++;
    EXPECT_EQ(filled, 262);
    EXPECT_EQ(empty, 354);
    // A region's municipalities fill columns 1..k without gaps.
    for (int r = 1; r <= kRegionCount; ++r)
        for (int m = 2; m < kMunicipalityColumns; ++m)
            if (!municipalityName(r, m).empty()) {
                EXPECT_FALSE(municipalityName(r, m - 1).empty()) << r << "/" << m;
            }
}

TEST(Regions, OutOfRange) {
    const std::pair<int, int> cases[] = {{0, 0}, {29, 1}, {1, 23}, {1, -1}, {-5, 0}};
    for (const auto& [r, m] : cases)
        EXPECT_THROW(municipalityName(r, m), std::out_of_range) << r << "/" << m;
    EXPECT_THROW(regionName(0), std::out_of_range);
    EXPECT_THROW(regionName(29), std::out_of_range);
}

TEST(Regions, IndexFromEReportCodes) {
    struct Case {
        const char* rzok;
        const char* zdrRajon;
        int r, m;
    } cases[] = {
        {"16", "09", 16, 9}, {"", "", 22, 1},      {"abc", "x", 22, 1},
        {"1", "", 1, 1},     {"40", "30", 40, 30}, {" 3", "-2", 3, -2},
    };
    for (const Case& c : cases) {
        const RegionIndex index = regionIndexFromCodes(c.rzok, c.zdrRajon);
        EXPECT_EQ(index.region, c.r) << c.rzok;
        EXPECT_EQ(index.municipality, c.m) << c.zdrRajon;
    }
}
