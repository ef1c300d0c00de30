#include "common/formats.h"

#include <gtest/gtest.h>

#include "common/error.h"

using namespace kalvex::common;

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return DateTime{tryEncodeDate(y, mo, d)->value + encodeTime(h, mi, s).value};
}

}  // namespace

TEST(Formats, DayCountStartsOn30December1899) {
    EXPECT_EQ(tryEncodeDate(1899, 12, 30)->value, 0.0);
    EXPECT_EQ(tryEncodeDate(1900, 1, 1)->value, 2.0);
    EXPECT_EQ(tryEncodeDate(1800, 1, 1)->value, -36522.0);
    EXPECT_EQ(tryEncodeDate(2022, 5, 31)->value, 44712.0);
    EXPECT_FALSE(tryEncodeDate(2023, 2, 29));
    EXPECT_FALSE(tryEncodeDate(1900, 2, 29));
    EXPECT_TRUE(tryEncodeDate(2000, 2, 29));
}

TEST(Formats, StartUpFormats) {
    SetGlobalCultureFormats();
    const DateTime dt = at(2025, 12, 8, 9, 4, 7);
    struct Case {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"[dd-mm-yyyy hh:nn] ", "[08-12-2025 09:04] "},
        {"dd.mm.yyyy", "08.12.2025"},
        {"hh:mm", "09:04"},  // minutes after an hour
        {"hh:mm:ss", "09:04:07"},
        {"d/m/yy", "8.12.25"},  // "/" is the date separator
        {"'dd' dd", "dd 08"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(c.pattern, dt), c.text) << c.pattern;
    EXPECT_EQ(DateTimeToStr(dt), "08.12.2025 09:04:07");
    EXPECT_EQ(DateTimeToStr(at(2025, 12, 8)), "08.12.2025");  // no time at midnight
}

TEST(Formats, SwitchToSqlDateFormatsStaysForLaterConversions) {
    SetGlobalCultureFormats();
    EXPECT_EQ(DateTimeToStr(at(2022, 5, 31, 14, 3, 12)), "31.05.2022 14:03:12");
    UseSqlDateFormats();
    EXPECT_EQ(DateTimeToStr(at(2022, 5, 31, 14, 3, 12)), "2022-05-31 14:03:12");
    EXPECT_EQ(DateToStr(at(2001, 2, 3)), "2001-02-03");
    EXPECT_EQ(formatSettings().longDateFormat, "yyyy-mm-dd");
    // A date written after the switch reads back, and the old form no longer does.
    EXPECT_EQ(StrToDate("2023-04-07"), at(2023, 4, 7));
    EXPECT_EQ(StrToDate(DateToStr(at(1999, 12, 31))), at(1999, 12, 31));
    EXPECT_THROW(StrToDate("07.04.2023"), kalvex::Error);
    SetGlobalCultureFormats();
    EXPECT_EQ(DateToStr(at(2001, 2, 3)), "03.02.2001");
}

TEST(Formats, StrToDateFollowsTheShortDateFormat) {
    SetGlobalCultureFormats();
    EXPECT_EQ(StrToDate("07.04.2023"), at(2023, 4, 7));
    EXPECT_EQ(StrToDate(" 7.4.2023 "), at(2023, 4, 7));
    EXPECT_THROW(StrToDate("2023-04-07"), kalvex::Error);
    EXPECT_THROW(StrToDate("31.04.2023"), kalvex::Error);
}
