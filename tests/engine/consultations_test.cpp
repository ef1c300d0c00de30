// Referrals for highly specialised activities: the row of each rule, the skipped
// speciality, the type map, the codes, the duplicate and the older versions.
#include <algorithm>
#include <string>
#include <vector>

#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

struct Consult {
    std::string noNVSD{};
    std::string kodSpVSD = "05";
    int vsdFor = 1;
    std::string kodVSD = "88.72";
    std::string hospVSD = "0";
    std::vector<std::string> codes{};
    std::string more{};
};

std::string consultXml(const Consult& c) {
    std::string xml = "<VSDSIMPConsult><kodSpVSD>" + c.kodSpVSD + "</kodSpVSD><VSDFor>" +
                      std::to_string(c.vsdFor) + "</VSDFor><NoNVSD>" + c.noNVSD +
                      "</NoNVSD><kodVSD>" + c.kodVSD + "</kodVSD><HospVSD>" + c.hospVSD +
                      "</HospVSD>";
    for (const std::string& code : c.codes)
        xml += "<VSDMKB>" + code + "</VSDMKB>";
    return xml + c.more + "</VSDSIMPConsult>";
}

SheetInput sheetWith(const std::vector<Consult>& consults, const std::string& noAl = "000412") {
    SheetInput sheet;
    sheet.noAl = noAl;
    sheet.extra = "<Docs>";
    for (const Consult& c : consults)
        sheet.extra += consultXml(c);
    sheet.extra += "</Docs>";
    return sheet;
}

const char* const kByNumber = "FROM BLANKA_MED_NAPR_3A WHERE NUMBER = :N";

TEST_F(EngineTest, Nrd2022ConsultationRowByRule) {
    struct Case {
        const char* what;
        Consult consult;
        const char* number;  // nullptr: no row
        Expected columns;
    } cases[] = {
        {"unknown speciality", {.noNVSD = "40", .kodSpVSD = "99"}, nullptr, {}},
        {"in hospital",
         {.noNVSD = "41",
          .kodSpVSD = "5",
          .vsdFor = 13,
          .hospVSD = "1",
          .more = "<NRN>23049C000001</NRN><NzisStatus>5</NzisStatus>"},
         "41",
         {{"PREGLED_ID", "1"},
          {"SPECIALITY_ID", "3"},
          {"MED_NAPR_TYPE_ID", "6"},
          {"VSD_CODE", "88.72"},
          {"IS_BOLNICHNA", "Y"},
          {"ISSUE_DATE", "2023-04-07"},
          {"REASON", "Ехокардиография в болница"},
          {"DIAGNOSES", "Есенциална хипертония"},
          {"ICD_CODE", "NULL"},
          {"NRN", "23049C000001"},
          {"NZIS_STATUS", "5"}}},
        // The third on the sheet.
        {"national number, outside hospital",
         {.noNVSD = "23049C000009", .vsdFor = 3, .more = "<NzisStatus>5</NzisStatus>"},
         "3",
         {{"NRN", "23049C000009"},
          {"NZIS_STATUS", "3"},
          {"MED_NAPR_TYPE_ID", "1"},
          {"IS_BOLNICHNA", "N"},
          {"REASON", "Ехокардиография"}}},
        {"activity not in the catalogue",
         {.noNVSD = "42", .kodVSD = "99.99"},
         "42",
         {{"REASON", ""}, {"NRN", ""}, {"NZIS_STATUS", "0"}}},
    };
    std::vector<Consult> consults;
    for (const Case& c : cases)
        consults.push_back(c.consult);
    const ImportCounts counts =
        run(2022, withSheets({sheetWith(consults)}), under(addDoctor("0400000001", 1)));
    EXPECT_EQ(count("BLANKA_MED_NAPR_3A"), 3);
    EXPECT_EQ(counts[RowKind::consultation].skipped(), 1);
    for (const Case& c : cases)
        if (c.number != nullptr)
            expectColumns(kByNumber, c.columns, c.what, {{"N", std::string(c.number)}});
    // The sheet's own line is all the log has: nothing names the skipped consultation.
    EXPECT_EQ(log, std::vector<std::string>{"Импортиране на първичен АЛ № 000412 на Иван Петров "
                                            "Стоянов"});
}

TEST_F(EngineTest, ConsultationTypeMap) {
    const std::pair<int, const char*> cases[] = {
        {1, "1"}, {2, "2"}, {4, "3"}, {6, "4"},  {7, "5"},  {13, "6"},
        {0, "1"}, {3, "1"}, {5, "1"}, {14, "1"}, {-1, "1"},
    };
    std::vector<Consult> consults;
    for (const auto& [vsdFor, type] : cases)
        consults.push_back({.noNVSD = std::to_string(consults.size() + 1), .vsdFor = vsdFor});
    run(2022, withSheets({sheetWith(consults)}), under(addDoctor("0400000001", 1)));
    int number = 0;
    for (const auto& [vsdFor, type] : cases)
        expectColumns(kByNumber, {{"MED_NAPR_TYPE_ID", type}}, "VSDFor " + std::to_string(vsdFor),
                      {{"N", std::to_string(++number)}});
}

TEST_F(EngineTest, ConsultationCodesSplitAtTheBlank) {
    struct Case {
        const char* what;
        std::vector<std::string> codes;
        Expected columns;
    } cases[] = {
        {"two codes", {"I10 E11"}, {{"ICD_CODE", "I10"}, {"ICD_CODE_ADD", "E11"}}},
        {"one code", {"I10"}, {{"ICD_CODE", "I10"}, {"ICD_CODE_ADD", "NULL"}}},
        {"leading blank", {" E11"}, {{"ICD_CODE", "NULL"}, {"ICD_CODE_ADD", "E11"}}},
        {"two blanks", {"I10  E11"}, {{"ICD_CODE", "I10"}, {"ICD_CODE_ADD", "NULL"}}},
        {"four items",
         {"A01 A02", "B01", "C01 C02", "I10"},
         {{"ICD_CODE2", "B01"},
          {"ICD_CODE2_ADD", "NULL"},
          {"ICD_CODE3", "C01"},
          {"ICD_CODE3_ADD", "C02"}}},
        {"one after three",
         {"D01"},
         {{"ICD_CODE", "D01"},
          {"ICD_CODE2", "NULL"},
          {"ICD_CODE3", "NULL"},
          {"ICD_CODE3_ADD", "NULL"}}},
    };
    std::vector<Consult> consults;
    for (const Case& c : cases)
        consults.push_back({.noNVSD = std::to_string(consults.size() + 1), .codes = c.codes});
    run(2022, withSheets({sheetWith(consults)}), under(addDoctor("0400000001", 1)));
    int number = 0;
    for (const Case& c : cases)
        expectColumns(kByNumber, c.columns, c.what, {{"N", std::to_string(++number)}});
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "АЛ 000412: направление за ВСД 5: записани са първите 3 кода, не са "
                        "записани: I10"),
              log.end());
}

// The same number and speciality on the examination: one row, one log line of a blank;
// the same number to another speciality is another consultation.
TEST_F(EngineTest, ConsultationAlreadyThereIsLoggedAndTheNextOneWritten) {
    const std::vector<Consult> consults{
        {.noNVSD = "41"}, {.noNVSD = "41", .kodSpVSD = "5"}, {.noNVSD = "41", .kodSpVSD = "14"}};
    const std::int32_t doctor = addDoctor("0400000001", 1);
    const auto report = withSheets({sheetWith(consults)});
    const ImportCounts counts = run(2022, report, under(doctor));
    EXPECT_EQ(count("BLANKA_MED_NAPR_3A"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), " "), 1);
    EXPECT_EQ(counts[RowKind::consultation].existing, 1);

    const ImportCounts again = run(2022, report, under(doctor));
    EXPECT_EQ(count("BLANKA_MED_NAPR_3A"), 2);
    EXPECT_EQ(again[RowKind::consultation].written, 0);
}

TEST_F(EngineTest, EarlierVersionsWriteTheirConsultationColumns) {
    const std::vector<std::string> four{"A01 A02", "", "C01", "D01"};
    struct Case {
        int year;
        Consult consult;
        Expected columns;
    } cases[] = {
        {2005,
         {.noNVSD = "23049C000009", .kodSpVSD = "5", .vsdFor = 13, .codes = four},
         {{"NUMBER", "23049C000009"},
          {"SPECIALITY_ID", "3"},
          {"MED_NAPR_TYPE_ID", "13"},
          {"IS_BOLNICHNA", "N"},
          {"ISSUE_DATE", "NULL"},
          {"REASON", "NULL"},
          {"ICD_CODE", "NULL"},
          {"NRN", "NULL"}}},
        {2006,
         {.noNVSD = "41", .vsdFor = 13, .hospVSD = "true", .codes = four},
         {{"MED_NAPR_TYPE_ID", "6"},
          {"ISSUE_DATE", "2023-04-07"},
          {"REASON", "Ехокардиография в болница"},
          {"ICD_CODE", "I10"},
          {"DIAGNOSES", "Есенциална хипертония"},
          {"ICD_CODE_ADD", "NULL"}}},
        // An empty item leaves its own pair empty; the fourth is passed over.
        {2009,
         {.noNVSD = "41", .codes = four},
         {{"ICD_CODE", "A01"},
          {"ICD_CODE_ADD", "A02"},
          {"ICD_CODE2", "NULL"},
          {"ICD_CODE3", "C01"},
          {"NZIS_STATUS", "NULL"}}},
        {2021,
         {.noNVSD = "41", .kodSpVSD = "14", .vsdFor = 7},
         {{"SPECIALITY_ID", "5"}, {"MED_NAPR_TYPE_ID", "5"}}},
    };
    int n = 0;
    for (const Case& c : cases) {
        log.clear();
        // An unknown speciality is passed over in every version.
        const Consult unknown{.noNVSD = "40", .kodSpVSD = "99"};
        run(c.year, withSheets({sheetWith({unknown, c.consult}, std::to_string(++n))}),
            under(addDoctor("04" + std::to_string(n), 1)));
        expectColumns("FROM BLANKA_MED_NAPR_3A WHERE ID = (SELECT MAX(ID) FROM BLANKA_MED_NAPR_3A)",
                      c.columns, std::to_string(c.year));
        for (const std::string& line : log)
            EXPECT_EQ(line.find("кода"), std::string::npos) << c.year << ": " << line;
    }
    EXPECT_EQ(count("BLANKA_MED_NAPR_3A"), static_cast<std::int64_t>(std::size(cases)));
}

}  // namespace
}  // namespace kalvex::engine
