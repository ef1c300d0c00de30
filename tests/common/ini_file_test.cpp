#include "common/ini_file.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "support/temp_dir.h"

using kalvex::common::IniFile;
using kalvex::testing::readBytes;
using kalvex::testing::TempDir;
using kalvex::testing::writeBytes;

TEST(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
    TempDir dir;
    const IniFile missing(dir.file("none.ini"));
    EXPECT_EQ(missing.ReadString("Kalvex", "edtXMLDir", "x"), "x");
    EXPECT_EQ(missing.ReadInteger("Kalvex", "cbSalvixType", 7), 7);
    EXPECT_TRUE(missing.ReadBool("Kalvex", "rbFolderChecked", true));

    writeBytes(dir.file("other.ini"), "[Other]\r\ncbSalvixType=1\r\n");
    EXPECT_EQ(IniFile(dir.file("other.ini")).ReadInteger("Kalvex", "cbSalvixType", 7), 7);
}

TEST(IniFile, IntegerValues) {
    TempDir dir;
    struct Case {
        const char* stored;
        int expected;
    } cases[] = {
        {"1", 1},   {"0", 0},           {"-3", -3},          {"0x1", 1}, {"0X1F", 31},
        {"0x", 99}, {"0xG", 99},        {"12a", 99},         {"", 99},   {"abc", 99},
        {" 5 ", 5}, {"0xFFFFFFFF", -1}, {"99999999999", 99},
    };
    for (const Case& c : cases) {
        writeBytes(dir.file("o.ini"), std::string("[Kalvex]\r\nkey=") + c.stored + "\r\n");
        EXPECT_EQ(IniFile(dir.file("o.ini")).ReadInteger("Kalvex", "key", 99), c.expected)
            << '"' << c.stored << '"';
    }
}

TEST(IniFile, LookUpIgnoresCaseAndReadsCodePage1251) {
    TempDir dir;
    writeBytes(dir.file("o.ini"),
               "; comment\n[KALVEX]\nEDTXMLDIR = \xCF\xE0\xEF\xEA\xE0 \n"
               "edtGDBfile=\"C:\\db.gdb\"\n");
    const IniFile ini(dir.file("o.ini"));
    EXPECT_EQ(ini.ReadString("Kalvex", "edtXMLDir", ""), "Папка");
    EXPECT_EQ(ini.ReadString("kalvex", "edtgdbfile", ""), "C:\\db.gdb");
}

TEST(IniFile, WritingKeepsOtherSectionsAndKeys) {
    TempDir dir;
    writeBytes(dir.file("o.ini"),
               "[Before]\r\na=1\r\n\r\n[Kalvex]\r\nedtXMLDir=old\r\nextra=keep\r\n\r\n"
               "[After]\r\nb=2\r\n");
    IniFile ini(dir.file("o.ini"));
    ini.WriteString("Kalvex", "EDTXMLDIR", "Папка");
    ini.WriteBool("Kalvex", "rbFileChecked", true);
    ini.WriteInteger("New", "n", 5);
    ini.UpdateFile();
    EXPECT_EQ(readBytes(dir.file("o.ini")),
              "[Before]\r\na=1\r\n\r\n[Kalvex]\r\nEDTXMLDIR=\xCF\xE0\xEF\xEA\xE0\r\nextra=keep\r\n"
              "rbFileChecked=1\r\n\r\n[After]\r\nb=2\r\n[New]\r\nn=5\r\n");
}

TEST(IniFile, FailedWriteNamesTheFile) {
    TempDir dir;
    const std::string name = dir.file("no-such-folder/o.ini");
    IniFile ini(name);
    ini.WriteString("Kalvex", "a", "b");
    try {
        ini.UpdateFile();
        FAIL() << "no error";
    } catch (const kalvex::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + name);
    }
}
