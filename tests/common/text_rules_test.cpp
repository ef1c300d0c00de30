// The text rules the importers share: characters counted and cut as the code page
// counts them, whole numbers read strictly, full names cut at their blanks.
#include <gtest/gtest.h>

#include "common/characters.h"
#include "common/error.h"
#include "common/full_name.h"
#include "common/numbers.h"

using namespace kalvex::common;

TEST(Characters, CountAndCutByCharacterNotByte) {
    struct Case {
        std::string text;
        std::size_t count;
        std::size_t cutAt;
        std::string cut;
    } cases[] = {
        {"", 0, 40, ""},
        {"abc", 3, 2, "ab"},
        {"ул. Шипка 12", 12, 40, "ул. Шипка 12"},
        {"ж.к. Младост 1, бл. 12, вх. А, ет. 4, ап. 15", 44, 40,
         "ж.к. Младост 1, бл. 12, вх. А, ет. 4, ап"},
        {"ЖЖЖЖЖЖЖЖЖЖЖЖ", 12, 12, "ЖЖЖЖЖЖЖЖЖЖЖЖ"},
        {"ЖЖЖЖЖЖЖЖЖЖЖЖЖ", 13, 12, "ЖЖЖЖЖЖЖЖЖЖЖЖ"},
        {"€Ж", 2, 1, "€"},  // a three-byte character is one character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(characterCount(c.text), c.count) << c.text;
        EXPECT_EQ(leftCharacters(c.text, c.cutAt), c.cut) << c.text;
    }
}

TEST(Numbers, StrToIntReadsWholeNumbersOrNamesTheText) {
    EXPECT_EQ(StrToInt("11"), 11);
    EXPECT_EQ(StrToInt("-3"), -3);
    // Blanks around a number keep its meaning, as in statement text; inside they do not.
    EXPECT_EQ(StrToInt(" 12 "), 12);
    EXPECT_EQ(StrToInt("05\t"), 5);
    for (const char* bad : {"A1", "", " ", "1.5", "1 2", "- 1"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << bad;
        } catch (const kalvex::Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(FullName, FirstMiddleAndLastWordOfTheTrimmedName) {
    struct Case {
        const char* name;
        const char* first;
        const char* middle;
        const char* last;
    } cases[] = {
        {"Иван Петров Стоянов", "Иван", "Петров", "Стоянов"},
        {"  Иван Петров Стоянов \t", "Иван", "Петров", "Стоянов"},
        {"Иван Стоянов", "Иван", "", "Стоянов"},
        {"Стоянов", "", "", "Стоянов"},
        {"Мария Анна Петрова Илиева", "Мария", "Анна Петрова", "Илиева"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        const NameParts parts = SplitFullName(c.name);
        EXPECT_EQ(parts.first, c.first) << c.name;
        EXPECT_EQ(parts.middle, c.middle) << c.name;
        EXPECT_EQ(parts.last, c.last) << c.name;
    }
}
