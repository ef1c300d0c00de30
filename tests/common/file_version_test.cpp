#include "common/file_version.h"

#include <gtest/gtest.h>

using namespace kalvex::common;

TEST(FileVersion, BriefTextAndCaption) {
    struct Case {
        TFileVersion version;
        const char* brief;
    } cases[] = {
        {makeFileVersion(3, 1, 0, 240), "3.10"},
        {makeFileVersion(2, 4, 5, 17), "2.45"},
        {makeFileVersion(10, 2, 3, 4), "10.23"},
        {makeFileVersion(65535, 0, 12, 0), "65535.012"},
        {TFileVersion{}, ""},
        {TFileVersion{-1, 5}, ""},
        {TFileVersion{5, -1}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionToStringBrief(c.version), c.brief) << c.brief;

    EXPECT_EQ(MainWindowCaption(makeFileVersion(3, 1, 0, 240)),
              "Kalvex - Версия 3.10 - Орвано ООД");
    EXPECT_EQ(MainWindowCaption(TFileVersion{}), "Kalvex - Версия  - Орвано ООД");
}

TEST(FileVersion, BuildVersionIsValid) {
    EXPECT_TRUE(IsValidVersion(GetFileVersion()));
    EXPECT_FALSE(VersionToStringBrief(GetFileVersion()).empty());
}
