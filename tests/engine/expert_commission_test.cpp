// The expert commission of a sheet: its row, its members by speciality, a commission
// already in the database, and what the earlier NRD versions write differently.
#include <algorithm>
#include <string>
#include <vector>

#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

std::string commission(const std::string& children) {
    return "<Docs><LKK>" + children + "</LKK></Docs>";
}

std::string repeat(const std::string& part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

constexpr const char* kLastCommission = "EXAM_LKK WHERE PREGLED_ID = (SELECT MAX(ID) FROM PREGLED)";

class ExpertCommissionTest : public EngineTest {
  protected:
    // The specialities of the last sheet's commission members, in ascending order.
    std::vector<std::int64_t> members() {
        const std::string of = std::string("EXAM_LKK_DOCTOR WHERE EXAM_LKK_ID = (SELECT ID FROM ") +
                               kLastCommission + ")";
        std::vector<std::int64_t> ids;
        for (std::int64_t i = 1; i <= count(of); ++i)
            ids.push_back(std::get<std::int64_t>(
                value("SELECT SPECIALITY_ID FROM " + of + " ORDER BY SPECIALITY_ID ROWS " +
                      std::to_string(i) + " TO " + std::to_string(i))));
        return ids;
    }
    bool logged(const std::string& line) {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    // The key the next commission gets, taken by a row already in the database.
    common::Variant occupyNextCommissionKey() {
        value(
            "INSERT INTO EXAM_LKK (ID, NUMBER) VALUES (GEN_ID(GEN_EXAM_LKK_ID, 0) + 1, "
            "'X' || (GEN_ID(GEN_EXAM_LKK_ID, 0) + 1))");
        return value("SELECT GEN_ID(GEN_EXAM_LKK_ID, 0) + 1 FROM RDB$DATABASE");
    }
};

TEST_F(ExpertCommissionTest, CommissionColumns2022) {
    struct Case {
        const char* what;
        std::string lkk;
        std::string mainName;
        Expected columns;
    } cases[] = {
        {"type above 60",
         "<NoLKK>15</NoLKK><TypeLKK>61</TypeLKK>",
         "Есенциална хипертония",
         {{"NUMBER", "15"},
          {"LKK_TYPE_ID", "1"},
          {"CAST(DATA AS VARCHAR(10))", "2023-04-07"},
          {"ICD_CODE", "I10"},
          {"ICD_CODE_OPIS", "Есенциална хипертония"},
          {"NRN", ""},
          {"NZIS_STATUS", "0"}}},
        {"type 60 stays", "<NoLKK>16</NoLKK><TypeLKK>60</TypeLKK>", "д", {{"LKK_TYPE_ID", "60"}}},
        {"type 5 stays", "<NoLKK>17</NoLKK><TypeLKK>5</TypeLKK>", "д", {{"LKK_TYPE_ID", "5"}}},
        {"own national number and status",
         "<NoLKK>18</NoLKK><TypeLKK>1</TypeLKK><NRN>23049L000001</NRN><NzisStatus>4</NzisStatus>",
         "д",
         {{"NUMBER", "18"}, {"NRN", "23049L000001"}, {"NZIS_STATUS", "4"}}},
        {"national number as the commission's number",
         "<NoLKK>23049L000002</NoLKK><TypeLKK>1</TypeLKK><NRN>23049L000009</NRN>"
         "<NzisStatus>4</NzisStatus>",
         "д",
         {{"IIF(NUMBER = CAST(ID AS VARCHAR(20)), 'key', NUMBER)", "key"},
          {"NRN", "23049L000002"},
          {"NZIS_STATUS", "3"}}},
        {"description cut by characters",
         "<NoLKK>19</NoLKK><TypeLKK>1</TypeLKK>",
         repeat("Ж", 500),
         {{"CHAR_LENGTH(ICD_CODE_OPIS)", "400"}}},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        sheet.mainName = c.mainName;
        sheet.extra = commission(c.lkk);
        run(2022, withSheets({sheet}), under(doctor));
        expectColumns(std::string("FROM ") + kLastCommission, c.columns, c.what);
    }
}

TEST_F(ExpertCommissionTest, MembersBySpecialityNumber) {
    struct Case {
        const char* what;
        std::vector<std::string> codes;
        std::vector<std::int64_t> specialities;
        bool duplicateLogged;
    } cases[] = {
        {"an unknown code is left out", {"05", "99", "12"}, {3, 4}, false},
        {"a code without its leading zero", {"5"}, {3}, false},
        {"a code that is no number finds nothing", {"кардио"}, {}, false},
        {"one speciality twice", {"05", "5", "14"}, {3, 5}, true},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        std::string lkk = "<NoLKK>7</NoLKK><TypeLKK>1</TypeLKK>";
        for (const std::string& code : c.codes)
            lkk += "<CodeSpec>" + code + "</CodeSpec>";
        sheet.extra = commission(lkk);
        log.clear();
        run(2022, withSheets({sheet}), under(doctor));
        EXPECT_EQ(members(), c.specialities) << c.what;
        EXPECT_EQ(logged(" "), c.duplicateLogged) << c.what;
    }
}

// A commission whose key is taken already keeps the members it has: none are written
// under a key that no commission holds.
TEST_F(ExpertCommissionTest, DuplicateCommissionWritesNoMembers) {
    struct Case {
        int year;
        const char* codes;
        const char* line;
    } cases[] = {
        {2022, "<CodeSpec>05</CodeSpec>", " ; членовете на комисията не са записани"},
        {2022, "", " "},
        {2009, "<CodeSpec>05</CodeSpec>", " "},
        {2006, "<CodeSpec>05</CodeSpec>", " "},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::int32_t doctor = addDoctor("04" + std::to_string(++n), 1);
        const common::Variant taken = occupyNextCommissionKey();
        SheetInput sheet;
        sheet.noAl = std::to_string(n);
        sheet.extra = commission(std::string("<NoLKK>7</NoLKK><TypeLKK>1</TypeLKK>") + c.codes);
        log.clear();
        run(c.year, withSheets({sheet}), under(doctor));
        const std::string label = std::to_string(c.year) + c.codes;
        EXPECT_EQ(count(kLastCommission), 0) << label;
        EXPECT_EQ(count("EXAM_LKK_DOCTOR"), 0) << label;
        EXPECT_EQ(log.back(), c.line) << label;

        // The key was drawn even so: the next commission gets the one after it.
        sheet.noAl += "0";
        run(c.year, withSheets({sheet}), under(doctor));
        EXPECT_EQ(text(value(std::string("SELECT ID - 1 FROM ") + kLastCommission)), text(taken))
            << label;
        value("DELETE FROM EXAM_LKK_DOCTOR");
    }
}

TEST_F(ExpertCommissionTest, EarlierVersions) {
    struct Case {
        int year;
        const char* noLkk;
        std::int64_t rows;
        std::int64_t members;
        Expected columns;
    } cases[] = {
        // No key of its own, no diagnosis, no members; the type as it stands.
        {2005,
         "15",
         1,
         0,
         {{"NUMBER", "15"},
          {"LKK_TYPE_ID", "61"},
          {"ICD_CODE", "NULL"},
          {"CAST(DATA AS VARCHAR(10))", "2023-04-07"},
          {"IIF(ID > 0, 1, 0)", "1"}}},
        {2006,
         "15",
         1,
         1,
         {{"LKK_TYPE_ID", "61"},
          {"ICD_CODE", "I10"},
          {"ICD_CODE_OPIS", "Есенциална хипертония"},
          {"NRN", "NULL"}}},
        {2008, "15", 1, 1, {{"LKK_TYPE_ID", "1"}}},
        // The number stays as written.
        {2021, "000015", 1, 1, {{"NUMBER", "000015"}, {"NRN", "NULL"}, {"NZIS_STATUS", "NULL"}}},
        // Only a number other than 0 makes a commission.
        {2015, "0", 0, 0, {}},
        {2018, "Л-15", 0, 0, {}},
        {2021, "23049L000002", 0, 0, {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        sheet.extra = commission(std::string("<NoLKK>") + c.noLkk +
                                 "</NoLKK><TypeLKK>61</TypeLKK><CodeSpec>05</CodeSpec>");
        run(c.year, withSheets({sheet}), under(addDoctor("04" + std::to_string(n), 1)));
        const std::string label = std::to_string(c.year);
        EXPECT_EQ(count(kLastCommission), c.rows) << label;
        EXPECT_EQ(static_cast<std::int64_t>(members().size()), c.members) << label;
        expectColumns(std::string("FROM ") + kLastCommission, c.columns, label);
    }
}

TEST_F(ExpertCommissionTest, SecondImportWritesNothing) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput sheet;
    sheet.extra = commission(
        "<NoLKK>7</NoLKK><TypeLKK>1</TypeLKK><CodeSpec>05</CodeSpec><CodeSpec>12</CodeSpec>");
    run(2022, withSheets({sheet}), under(doctor));
    run(2022, withSheets({sheet}), under(doctor));
    EXPECT_EQ(count("EXAM_LKK"), 1);
    EXPECT_EQ(count("EXAM_LKK_DOCTOR"), 2);
}

}  // namespace
}  // namespace kalvex::engine
