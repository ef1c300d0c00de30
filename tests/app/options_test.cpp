#include "app/options.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "support/temp_dir.h"

using namespace kalvex::app;
using kalvex::testing::readBytes;
using kalvex::testing::TempDir;
using kalvex::testing::writeBytes;

TEST(Options, ReadingCases) {
    struct Case {
        const char* name;
        const char* file;  // nullptr: no file at all
        bool folder, single;
        int edition;
    } cases[] = {
        {"first start", nullptr, true, false, 0},
        {"single-file mode", "[Kalvex]\r\nrbFolderChecked=0\r\nrbFileChecked=1\r\n", false, true,
         0},
        {"both 0", "[Kalvex]\r\nrbFolderChecked=0\r\nrbFileChecked=0\r\n", false, false, 0},
        {"both 1", "[Kalvex]\r\nrbFolderChecked=1\r\nrbFileChecked=1\r\n", true, true, 0},
        {"hex edition", "[Kalvex]\r\ncbSalvixType=0x1\r\n", true, false, 1},
        {"not a number", "[Kalvex]\r\ncbSalvixType=S\r\nrbFileChecked=yes\r\n", true, false, 0},
        {"out of range kept", "[Kalvex]\r\ncbSalvixType=5\r\n", true, false, 5},
        {"other section", "[Other]\r\nrbFileChecked=1\r\n", true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.file != nullptr)
            writeBytes(dir.file("kalvex.ini"), c.file);
        const Options o = LoadOptionsFromFile(dir.file("kalvex.ini"));
        EXPECT_EQ(o.rbFolderChecked, c.folder);
        EXPECT_EQ(o.rbFileChecked, c.single);
        EXPECT_EQ(o.cbSalvixType, c.edition);
        if (c.file == nullptr) {
            EXPECT_TRUE(o.edtXMLDir.empty() && o.edtXMLfile.empty() && o.edtGDBfile.empty());
        }
    }
}

TEST(Options, WritesInItsOrderAndReadsBack) {
    TempDir dir;
    const std::string name = dir.file("kalvex.ini");
    Options o;
    o.rbFolderChecked = false;
    o.rbFileChecked = true;
    o.edtXMLDir = "/данни/отчети";
    o.edtXMLfile = "/данни/отчети/report 1.xml";
    o.edtGDBfile = "server:/db/SALVIX.GDB";
    o.cbSalvixType = 1;
    SaveOptionsToFile(name, o);
    EXPECT_EQ(readBytes(name),
              "[Kalvex]\r\nrbFileChecked=1\r\nrbFolderChecked=0\r\n"
              "edtXMLDir=/\xE4\xE0\xED\xED\xE8/\xEE\xF2\xF7\xE5\xF2\xE8\r\n"
              "edtXMLfile=/\xE4\xE0\xED\xED\xE8/\xEE\xF2\xF7\xE5\xF2\xE8/report 1.xml\r\n"
              "edtGDBfile=server:/db/SALVIX.GDB\r\ncbSalvixType=1\r\n");
    const Options back = LoadOptionsFromFile(name);
    EXPECT_EQ(back.rbFolderChecked, o.rbFolderChecked);
    EXPECT_EQ(back.rbFileChecked, o.rbFileChecked);
    EXPECT_EQ(back.edtXMLDir, o.edtXMLDir);
    EXPECT_EQ(back.edtXMLfile, o.edtXMLfile);
    EXPECT_EQ(back.edtGDBfile, o.edtGDBfile);
    EXPECT_EQ(back.cbSalvixType, 1);
}

TEST(Options, FailedWriteSaysUnableToWrite) {
    TempDir dir;
    const std::string name = dir.file("missing/kalvex.ini");
    try {
        SaveOptionsToFile(name, Options{});
        FAIL() << "no error";
    } catch (const kalvex::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + name);
    }
}
