// Medical referrals: the row of each rule, the codes of a referral, the type map, the
// duplicate, the older versions, and the referrals that stop a run.
#include <algorithm>
#include <string>
#include <vector>

#include "common/error.h"
#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

std::string referral(const std::string& noN, const std::string& kodSp, int spFor,
                     const std::vector<std::string>& codes = {}, const std::string& more = "") {
    std::string xml = "<SIMPConsult><kodSp>" + kodSp + "</kodSp><SpFor>" + std::to_string(spFor) +
                      "</SpFor><NoN>" + noN + "</NoN>";
    for (const std::string& code : codes)
        xml += "<SIMPMKB>" + code + "</SIMPMKB>";
    return xml + more + "</SIMPConsult>";
}

SheetInput sheetWith(const std::string& docs, const std::string& noAl = "000412") {
    SheetInput sheet;
    sheet.noAl = noAl;
    sheet.extra = "<Docs>" + docs + "</Docs>";
    return sheet;
}

bool logged(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

const char* const kByNumber = "FROM BLANKA_MED_NAPR WHERE NUMBER = :N";

TEST_F(EngineTest, Nrd2022ReferralRowByRule) {
    value("INSERT INTO SPECIALITY (ID, CODE, NAME, EFFECTIVE) VALUES (7, '77', 'Стара', 'N')");
    const std::string status = "<NRN>23049C000001</NRN><NzisStatus>5</NzisStatus>";
    struct Case {
        const char* what;
        std::string xml;
        int number;
        Expected columns;
    } cases[] = {
        // The first three keep their places: the national number is the third.
        {"practice number",
         referral("17", "05", 7),
         17,
         {{"PREGLED_ID", "1"},
          {"ISSUE_DATE", "2023-04-07"},
          {"SPECIALITY_ID", "3"},
          {"DIAGNOSES", "Есенциална хипертония"},
          {"REASON", "консултация и лечение"},
          {"MED_NAPR_TYPE_ID", "6"},
          {"ICD_CODE", "NULL"},
          {"NRN", ""},
          {"NZIS_STATUS", "0"}}},
        {"own national number and status",
         referral("18", "5", 1, {}, status),
         18,
         {{"SPECIALITY_ID", "3"}, {"NRN", "23049C000001"}, {"NZIS_STATUS", "5"}}},
        {"national number at position 2",
         referral("23049C000009", "14", 1, {}, status),
         2,
         {{"NRN", "23049C000009"}, {"NZIS_STATUS", "3"}, {"SPECIALITY_ID", "5"}}},
        {"unknown speciality", referral("20", "99", 1), 20, {{"SPECIALITY_ID", "63"}}},
        {"speciality no longer effective", referral("21", "77", 1), 21, {{"SPECIALITY_ID", "63"}}},
        {"no speciality code", referral("22", "", 1), 22, {{"SPECIALITY_ID", "63"}}},
        {"speciality code that is no number",
         referral("23", "0A", 1),
         23,
         {{"SPECIALITY_ID", "63"}}},
    };
    std::string docs;
    for (const Case& c : cases)
        docs += c.xml;
    run(2022, withSheets({sheetWith(docs)}), under(addDoctor("0400000001", 1)));
    EXPECT_EQ(count("BLANKA_MED_NAPR"), static_cast<std::int64_t>(std::size(cases)));
    for (const Case& c : cases)
        expectColumns(kByNumber, c.columns, c.what, {{"N", std::int64_t{c.number}}});
    EXPECT_EQ(
        count("BLANKA_MED_NAPR WHERE ATTACHED_DOCS LIKE 'Импортиран чрез Kalvex на ____-__-__ "
              "__:__:__'"),
        static_cast<std::int64_t>(std::size(cases)));
}

TEST_F(EngineTest, ReferralTypeMap) {
    const std::pair<int, const char*> cases[] = {
        {1, "1"},  {5, "5"},  {7, "6"},  {9, "7"},   {12, "10"},
        {0, "-1"}, {6, "-1"}, {8, "-1"}, {13, "-1"}, {-1, "-1"},
    };
    std::string docs;
    int number = 0;
    for (const auto& [spFor, type] : cases)
        docs += referral(std::to_string(++number), "05", spFor);
    run(2022, withSheets({sheetWith(docs)}), under(addDoctor("0400000001", 1)));
    number = 0;
    for (const auto& [spFor, type] : cases)
        expectColumns(kByNumber, {{"MED_NAPR_TYPE_ID", type}}, "SpFor " + std::to_string(spFor),
                      {{"N", std::int64_t{++number}}});
}

TEST_F(EngineTest, ReferralCodesSplitAtTheBlank) {
    struct Case {
        const char* what;
        std::vector<std::string> codes;
        Expected columns;
    } cases[] = {
        {"two codes", {"I10 E11"}, {{"ICD_CODE", "I10"}, {"ICD_CODE_ADD", "E11"}}},
        {"one code", {"I10"}, {{"ICD_CODE", "I10"}, {"ICD_CODE_ADD", "NULL"}}},
        {"leading blank", {" E11"}, {{"ICD_CODE", "NULL"}, {"ICD_CODE_ADD", "E11"}}},
        {"two blanks", {"I10  E11"}, {{"ICD_CODE", "I10"}, {"ICD_CODE_ADD", "NULL"}}},
        {"three items",
         {"A01 A02", "B01", "C01 C02"},
         {{"ICD_CODE", "A01"},
          {"ICD_CODE_ADD", "A02"},
          {"ICD_CODE2", "B01"},
          {"ICD_CODE2_ADD", "NULL"},
          {"ICD_CODE3", "C01"},
          {"ICD_CODE3_ADD", "C02"}}},
        // Right after the referral with three: nothing of it stays behind.
        {"one after three",
         {"D01"},
         {{"ICD_CODE", "D01"},
          {"ICD_CODE2", "NULL"},
          {"ICD_CODE2_ADD", "NULL"},
          {"ICD_CODE3", "NULL"},
          {"ICD_CODE3_ADD", "NULL"}}},
    };
    std::string docs;
    int number = 0;
    for (const Case& c : cases)
        docs += referral(std::to_string(++number), "05", 1, c.codes);
    run(2022, withSheets({sheetWith(docs)}), under(addDoctor("0400000001", 1)));
    number = 0;
    for (const Case& c : cases)
        expectColumns(kByNumber, c.columns, c.what, {{"N", std::int64_t{++number}}});
}

// The statement has room for three codes: the rest are named, the referral is written.
TEST_F(EngineTest, ReferralCodesBeyondTheRoomAreLogged) {
    const std::string docs = referral("17", "05", 1, {"A01", "B01", "C01 C02", "I10", "E11"}) +
                             referral("18", "05", 1, {"A01"});
    const ImportCounts counts =
        run(2022, withSheets({sheetWith(docs)}), under(addDoctor("0400000001", 1)));
    EXPECT_EQ(counts[RowKind::medicalReferral].written, 2);
    expectColumns(kByNumber, {{"ICD_CODE3", "C01"}, {"ICD_CODE3_ADD", "C02"}}, "17",
                  {{"N", std::int64_t{17}}});
    EXPECT_TRUE(logged(log,
                       "АЛ 000412: медицинско направление 17: записани са първите 3 кода, "
                       "не са записани: I10 E11"));
}

// A second referral of the same number on the examination, here a national number whose
// position gives the number of the first.
TEST_F(EngineTest, ReferralAlreadyThereIsLoggedAndTheNextOneWritten) {
    const std::string docs = referral("2", "05", 1) + referral("3", "05", 1) +
                             referral("23049C000009", "05", 1) + referral("4", "05", 1);
    const ImportCounts counts =
        run(2022, withSheets({sheetWith(docs)}), under(addDoctor("0400000001", 1)));
    EXPECT_EQ(count("BLANKA_MED_NAPR"), 3);
    EXPECT_EQ(count("BLANKA_MED_NAPR WHERE NUMBER = 2 AND NRN = ''"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(),
                         "Това медицинско направление вече съществува в базата, АЛ = 000412"),
              1);
    EXPECT_EQ(counts[RowKind::medicalReferral].existing, 1);
    EXPECT_EQ(counts[RowKind::medicalReferral].written, 3);
}

TEST_F(EngineTest, ReferralsAreNotWrittenTwice) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    const auto report = withSheets({sheetWith(referral("17", "05", 1) + referral("18", "05", 1))});
    run(2022, report, under(doctor));
    const ImportCounts again = run(2022, report, under(doctor));
    EXPECT_EQ(count("BLANKA_MED_NAPR"), 2);
    EXPECT_EQ(again[RowKind::medicalReferral].written, 0);
}

TEST_F(EngineTest, EarlierVersionsWriteTheirReferralColumns) {
    const std::vector<std::string> four{"A01 A02", "", "C01", "D01"};
    struct Case {
        int year;
        std::string xml;
        Expected columns;
    } cases[] = {
        {2005,
         referral("17", "5", 7, four),
         {{"NUMBER", "17"},
          {"SPECIALITY_ID", "3"},
          {"MED_NAPR_TYPE_ID", "7"},
          {"ICD_CODE", "I10"},
          {"ICD_CODE_ADD", "NULL"},
          {"ISSUE_DATE", "2023-04-07"},
          {"NRN", "NULL"}}},
        {2008,
         referral("17", "05", 7, four),
         {{"MED_NAPR_TYPE_ID", "6"}, {"ICD_CODE", "I10"}, {"ICD_CODE2", "NULL"}}},
        // An empty item leaves its own pair empty; the fourth is passed over.
        {2009,
         referral("17", "05", 7, four),
         {{"ICD_CODE", "A01"},
          {"ICD_CODE_ADD", "A02"},
          {"ICD_CODE2", "NULL"},
          {"ICD_CODE3", "C01"},
          {"NRN", "NULL"},
          {"NZIS_STATUS", "NULL"}}},
        {2018,
         referral("17", "99", 12, {"E11"}),
         {{"SPECIALITY_ID", "63"}, {"MED_NAPR_TYPE_ID", "10"}, {"ICD_CODE", "E11"}}},
        {2021, referral("17", "", 1), {{"SPECIALITY_ID", "63"}, {"ICD_CODE", "NULL"}}},
    };
    int n = 0;
    for (const Case& c : cases) {
        log.clear();
        run(c.year, withSheets({sheetWith(c.xml, std::to_string(++n))}),
            under(addDoctor("04" + std::to_string(n), 1)));
        expectColumns("FROM BLANKA_MED_NAPR WHERE ID = (SELECT MAX(ID) FROM BLANKA_MED_NAPR)",
                      c.columns, std::to_string(c.year));
        for (const std::string& line : log)
            EXPECT_EQ(line.find("кода"), std::string::npos) << c.year << ": " << line;
    }
    EXPECT_EQ(count("BLANKA_MED_NAPR"), static_cast<std::int64_t>(std::size(cases)));
}

// A referral that stops the run takes its whole sheet with it: examination, new patient
// and the referrals written before it; the sheet before stays.
TEST_F(EngineTest, ReferralThatStopsTheRunRollsItsSheetBack) {
    struct Case {
        int year;
        std::string bad;
        const char* message;
    } cases[] = {
        {2022, referral("12AB", "05", 1), "'12AB' is not a valid integer value"},
        {2022, referral("3000000000", "05", 1), "'3000000000' is not a valid integer value"},
        {2015, referral("18", "99", 1),
         "АЛ 3002: медицинско направление 18: в базата няма действаща специалност с код 99"},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        ++n;
        const std::string good = std::to_string(n) + "001";
        SheetInput second = sheetWith(referral("17", "05", 1) + c.bad, std::to_string(n) + "002");
        second.egn = "8001010005";
        try {
            run(c.year, withSheets({sheetWith(referral("17", "05", 1), good), second}),
                under(doctor));
            ADD_FAILURE() << c.message << ": no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(count("PREGLED"), n) << c.message;
        EXPECT_EQ(count("PACIENT WHERE EGN = '8001010005'"), 0) << c.message;
        EXPECT_EQ(count("BLANKA_MED_NAPR"), n) << c.message;
        EXPECT_EQ(value("SELECT p.AMB_LISTN FROM BLANKA_MED_NAPR r JOIN PREGLED p ON "
                        "p.ID = r.PREGLED_ID ORDER BY r.ID DESC ROWS 1"),
                  common::Variant{good})
            << c.message;
    }
}

}  // namespace
}  // namespace kalvex::engine
