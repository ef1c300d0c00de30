#include "common/code_page.h"

#include <gtest/gtest.h>
#include <langinfo.h>

#include <clocale>
#include <string>

using kalvex::common::fromCp1251;
using kalvex::common::isUtf8;
using kalvex::common::toCp1251;
using kalvex::common::useUtf8CharacterSet;

TEST(CodePage, RoundTripsCyrillicAndAscii) {
    const std::string text = "Иван Петров Стоянов, ул. \"Шипка\" № 5 ёЁ";
    // "ё" and "Ё" exist in 1251; "№" too (0xB9).
    const std::string bytes = toCp1251(text);
    EXPECT_EQ(bytes.substr(0, 4), "\xC8\xE2\xE0\xED");  // Иван
    EXPECT_EQ(fromCp1251(bytes), text);
}

TEST(CodePage, UnrepresentableBecomesQuestionMark) {
    struct Case {
        std::string utf8;
        std::string cp1251;
    } cases[] = {
        {"a\u4E2Db", "a?b"},  // CJK character
        {"\U0001F600", "?"},  // outside the BMP
        {"x\xFFy", "x?y"},    // stray byte, not UTF-8
        {"ab\xD0", "ab?"},    // truncated sequence at the end
        // 0xF5 to 0xFF never start a sequence, so the continuation bytes after one are
        // stray bytes of their own.
        {"x\xF8\x80\x80y", "x???y"},
        {"x\xFF\x80\x80\x80y", "x????y"},
        {"Тeрвел",
         "\xD2"
         "e\xF0\xE2\xE5\xEB"},  // Latin e stays Latin
    };
    for (const Case& c : cases)
        EXPECT_EQ(toCp1251(c.utf8), c.cp1251) << c.utf8;
}

TEST(CodePage, TellsWellFormedUtf8) {
    const struct {
        std::string_view text;
        bool utf8;
    } cases[] = {
        {"", true},
        {"plain ASCII", true},
        {"Иван Петров", true},
        {"\U0001F600", true},
        {"\xC8\xE2\xE0\xED", false},  // "Иван" in code page 1251
        {"ab\xD0", false},            // truncated at the end
        {"\xC0\x80", false},          // impossible lead byte
        {"x\xF8\x80\x80y", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isUtf8(c.text), c.utf8) << c.text;
}

TEST(CodePage, UndefinedByteOf1251BecomesQuestionMark) {
    EXPECT_EQ(fromCp1251("a\x98"
                         "b"),
              "a?b");
    EXPECT_EQ(fromCp1251(""), "");
}

TEST(CodePage, CharacterSetBecomesUtf8AndAUsersUtf8LocaleStays) {
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"C", "C.UTF-8"},  // no locale chosen: plain ASCII
        {"POSIX", "C.UTF-8"},
        {"C.UTF-8", "C.UTF-8"},  // already UTF-8: left as it is
    };
    for (const auto& c : cases) {
        ASSERT_NE(std::setlocale(LC_CTYPE, c.before), nullptr) << c.before;
        useUtf8CharacterSet();
        EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), c.after) << c.before;
        EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8") << c.before;
    }
    std::setlocale(LC_CTYPE, saved.c_str());
}
