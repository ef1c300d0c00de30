#include "common/doctor_names.h"

#include <gtest/gtest.h>

#include "common/folder_files.h"
#include "support/temp_dir.h"

using namespace kalvex::common;

TEST(DoctorNames, NameOfAnXmlEntryAsTheDatabaseListShowsIt) {
    struct Case {
        const char* entry;
        const char* name;
    } cases[] = {
        {"Иван Петров Стоянов  (27 амб.листа)", "Иван Петров Стоянов"},
        {"Иван Стоянов  (0 амб.листа)", "Иван Стоянов"},
        {"Иван  Петров   Стоянов  (3 амб.листа)", "Иван Петров   Стоянов"},
        {"Иван  (1 амб.листа)", "Иван "},
        {"  (0 амб.листа)", " "},
        // Parentheses of the name's own: only the sheet count's " (" ends it.
        {"Д-р Иван (Вани) Петров  (2 амб.листа)", "Д-р Иван (Вани) Петров"},
        {"Иван (Вани) Петров  (2 амб.листа)", "Иван (Вани) Петров"},
        {"Иван (2 амб.листа)", "Иван "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(databaseNameOfXmlEntry(c.entry), c.name) << c.entry;
}

TEST(FolderFiles, XmlFilesByNameWithoutFolders) {
    kalvex::testing::TempDir dir;
    for (const char* name : {"b.xml", "a.XML", "c.txt", "xml", "d.xml.bak", ".xml"})
        kalvex::testing::writeBytes(dir.file(name), "x");
    std::filesystem::create_directory(dir.file("folder.xml"));
    EXPECT_EQ(GetFileNames(dir.path().string()),
              (std::vector<std::string>{".xml", "a.XML", "b.xml"}));
    EXPECT_TRUE(GetFileNames(dir.file("missing")).empty());
    EXPECT_EQ(joinPath("/data", "a.xml"), "/data/a.xml");
    EXPECT_EQ(joinPath("/data/", "a.xml"), "/data/a.xml");
}
