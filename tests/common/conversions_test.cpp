#include "common/conversions.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/formats.h"

using namespace kalvex::common;

namespace {

DateTime date(int y, int m, int d) {
    return tryEncodeDate(y, m, d).value();
}

}  // namespace

TEST(Egn, WorkedExamples) {
    struct Case {
        const char* egn;
        DateTime birth;
        const char* sex;
        bool checksum;
        bool valid;
    } cases[] = {
        {"0021010008", date(1800, 1, 1), "1", true, true},
        {"0021010040", date(1800, 1, 1), "1", true, true},  // remainder 10 gives 0
        {"0021010009", date(1800, 1, 1), "1", false, false},
        {"0001010003", date(1900, 1, 1), "1", true, true},
        {"0022300008", kZeroDate, "1", false, false},          // no 30 February
        {"00210100O8", date(1800, 1, 1), "-1", false, false},  // letter O as ninth
        {"00210100X8", date(1800, 1, 1), "-1", false, false},
        {"0541010001", date(2005, 1, 1), "1", false, false},
        {"0013010001", kZeroDate, "1", false, false},         // month field 13
        {"002101001", date(1800, 1, 1), "0", false, false},   // 9 characters
        {"00210100080", date(1800, 1, 1), "1", true, false},  // 11 characters
        {"00210100", date(1800, 1, 1), "-1", false, false},   // 8 characters
        {"00210", kZeroDate, "-1", false, false},
        {"", kZeroDate, "-1", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.egn);
        EXPECT_EQ(EgnToBirthDate(c.egn), c.birth);
        EXPECT_EQ(EgnToSexType(c.egn), c.sex);
        EXPECT_EQ(CheckEGNChecksum(c.egn), c.checksum);
        EXPECT_EQ(ValidEGN(c.egn), c.valid);
    }
}

TEST(Egn, NinthCharacterCountsCharactersNotBytes) {
    // Eight Cyrillic letters take sixteen UTF-8 bytes; the ninth character is still "3".
    EXPECT_EQ(EgnToSexType("АБВГДЕЖЗ3"), "0");
    EXPECT_EQ(EgnToSexType("АБВГДЕЖЗ4"), "1");
    EXPECT_FALSE(ValidEGN("00210100Я8"));
}

TEST(Egn, DateIsValidCenturyRule) {
    struct Case {
        int day, monthField, yearField;
        bool valid;
    } cases[] = {
        {29, 22, 0, false},  // 29 February 1800
        {29, 22, 4, true},   // 29 February 1804
        {29, 42, 0, true},   // 29 February 2000
        {29, 2, 0, false},   // 1900 is no leap year
        {1, 0, 50, false},  {1, 13, 50, false}, {1, 20, 50, false}, {1, 21, 50, true},
        {1, 32, 50, true},  {1, 33, 50, false}, {1, 40, 50, false}, {1, 41, 50, true},
        {1, 52, 50, true},  {1, 53, 50, false}, {0, 1, 50, false},  {31, 4, 50, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateIsValid(c.day, c.monthField, c.yearField), c.valid)
            << c.day << "/" << c.monthField << "/" << c.yearField;
}

TEST(Codes, SexAndBoolean) {
    EXPECT_EQ(SEX_TYPE(true), "0");
    EXPECT_EQ(SEX_TYPE(false), "1");
    EXPECT_EQ(BOOL2STR(true), "Y");
    EXPECT_EQ(BOOL2STR(false), "N");
}

TEST(DateFromSql, ReadsYearMonthDayAndKeepsTheProcessFormats) {
    SetGlobalCultureFormats();
    EXPECT_EQ(DateFromSQL("2023-04-07"), date(2023, 4, 7));
    EXPECT_EQ(DateToStr(date(2023, 4, 7)), "07.04.2023");

    try {
        DateFromSQL("2023-02-29");
        FAIL() << "no error";
    } catch (const kalvex::Error& e) {
        EXPECT_STREQ(e.what(), "'2023-02-29' is not a valid date");
    }
    EXPECT_EQ(formatSettings().shortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(formatSettings().dateSeparator, '.');
    EXPECT_EQ(DateToStr(date(2023, 4, 7)), "07.04.2023");
}

TEST(DateFromSql, RejectsWhatIsNotADate) {
    SetGlobalCultureFormats();
    for (const char* text : {"", "2023", "2023-04", "07.04.2023", "2023-04-07x", "2023-13-01",
                             "2023--07", "abcd-ef-gh"}) {
        try {
            DateFromSQL(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const kalvex::Error& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid date");
        }
    }
}
