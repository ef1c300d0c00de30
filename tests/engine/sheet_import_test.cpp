// The examination row: its general columns by rule, the numbers, the limits of the row,
// and the look-up that keeps a second import from writing a sheet again.
#include <functional>

#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::ReportInput;
using testing::SheetInput;

std::string repeat(const std::string& part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

TEST_F(EngineTest, ExaminationColumnsByRule) {
    struct Case {
        const char* what;
        std::function<void(SheetInput&)> sheet;
        Expected columns;
    } cases[] = {
        {"primary visit",
         [](SheetInput&) {},
         {{"AMB_PR", "1"},
          {"DOM_PR", "NULL"},
          {"IS_REGISTRATION", "N"},
          {"AMB_JOURNALN", "1"},
          {"NRD", "2006"},
          {"IS_FORM_VALID", "Y"},
          {"PAY", "Y"},
          {"INCIDENTALLY", "N"},
          {"IS_VSD", "N"},
          {"VSD_TYPE", "0"},
          {"IS_PREVENTIVE", "N"},
          {"PREVENTIVE_TYPE", "NULL"},
          {"MAIN_DIAG_MKB", "I10"},
          {"MAIN_DIAG_MKB_ADD", "NULL"},
          {"PR_ZAB1_MKB", "NULL"},
          {"NRN", ""},
          {"NZIS_STATUS", "0"},
          {"TALON_LKK", "NULL"},
          {"RECKNNO", ""},
          {"IS_NAET", "N"},
          {"START_TIME", "10:30"}}},
        {"secondary", [](SheetInput& s) { s.examType = "12"; }, {{"AMB_PR", "2"}}},
        {"home visit",
         [](SheetInput& s) { s.examType = "21"; },
         {{"AMB_PR", "NULL"}, {"DOM_PR", "1"}}},
        {"registration with a primary sheet",
         [](SheetInput& s) {
             s.examType = "13";
             s.extra = "<SIMPList><SecondaryVisit><NoAmbL>77</NoAmbL></SecondaryVisit></SIMPList>";
         },
         {{"AMB_PR", "2"}, {"IS_REGISTRATION", "Y"}}},
        {"no exam type",
         [](SheetInput& s) { s.examType = ""; },
         {{"AMB_PR", "NULL"}, {"DOM_PR", "NULL"}}},
        {"hospital prescription clears the visit numbers",
         [](SheetInput& s) { s.extra = "<VisitFor><RpHosp>1</RpHosp><Disp>1</Disp></VisitFor>"; },
         {{"AMB_PR", "NULL"}, {"IS_RECEPTA_HOSPIT", "Y"}, {"IS_DISPANSERY", "Y"}}},
        {"VSD visit",
         [](SheetInput& s) {
             s.extra = "<VisitFor><VSDVisit><Hosp>1</Hosp></VSDVisit></VisitFor>";
         },
         {{"AMB_PR", "NULL"}, {"IS_VSD", "Y"}, {"VSD_TYPE", "1"}}},
        {"mother without a week",
         [](SheetInput& s) {
             s.extra =
                 "<VisitFor><Profilact><Mother>1</Mother><GestWeek>0</GestWeek><Risk>1</Risk>"
                 "</Profilact></VisitFor>";
         },
         {{"PREVENTIVE_TYPE", "3"},
          {"GS", "NULL"},
          {"IS_PREVENTIVE", "Y"},
          {"IS_RISK_GROUP", "Y"}}},
        {"mother in week 12",
         [](SheetInput& s) {
             s.extra =
                 "<VisitFor><Profilact><Mother>1</Mother><GestWeek>12</GestWeek></Profilact>"
                 "</VisitFor>";
         },
         {{"PREVENTIVE_TYPE", "3"}, {"GS", "12"}}},
        {"child and mother",
         [](SheetInput& s) {
             s.extra =
                 "<VisitFor><Profilact><Child>1</Child><Mother>1</Mother><GestWeek>12</GestWeek>"
                 "</Profilact></VisitFor>";
         },
         {{"PREVENTIVE_TYPE", "1"}, {"GS", "NULL"}}},
        {"two diagnoses",
         [](SheetInput& s) {
             s.extra =
                 "<Diag><MKB>E11.9</MKB><imeD>Диабет</imeD><MKBLinkD>E11</MKBLinkD></Diag>"
                 "<Diag><MKB>J06.9</MKB><imeD>Инфекция</imeD></Diag>";
         },
         {{"PR_ZAB1_MKB", "E11.9"},
          {"PR_ZAB1_MKB_ADD", "E11"},
          {"PR_ZAB2_OPIS", "Инфекция"},
          {"PR_ZAB2_MKB_ADD", ""},
          {"PR_ZAB3_MKB", "NULL"}}},
        {"national number",
         [](SheetInput& s) {
             s.noAl = "23049B000001";
             s.extra = "<NzisStatus>3</NzisStatus>";
         },
         {{"AMB_LISTN", "0"},
          {"NRN", "23049B000001"},
          {"NZIS_STATUS", "6"},
          {"AMB_JOURNALN", "0"}}},
        {"documents",
         [](SheetInput& s) {
             s.extra =
                 "<Docs><Izvestie>1</Izvestie><MedicalNote>2</MedicalNote><LKK><NoLKK>15</NoLKK>"
                 "<TypeLKK>1</TypeLKK></LKK><HospNapr><Hosp><PathNum>120</PathNum></Hosp></"
                 "HospNapr>"
                 "<Rp><RpBook>RB-1</RpBook></Rp></Docs>";
         },
         {{"IS_NOTIFICATION", "Y"},
          {"IS_MEDBELEJKA", "Y"},
          {"TALON_LKK", "15"},
          {"IS_HOSPITALIZATION", "Y"},
          {"IS_EPIKRIZA", "N"},
          {"RECKNNO", "RB-1"}}},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        c.sheet(sheet);
        run(2022, withSheets({sheet}), under(doctor));
        expectColumns("FROM PREGLED WHERE ID = (SELECT MAX(ID) FROM PREGLED)", c.columns, c.what);
    }
}

TEST_F(EngineTest, TextsAreCutByCharacters) {
    SheetInput sheet;
    sheet.extra = "<Anamnesa>" + repeat("Ж", 1200) + "</Anamnesa><Therapy><Nonreimburce>" +
                  repeat("я", 3500) + "</Nonreimburce></Therapy>";
    run(2022, withSheets({sheet}), under(addDoctor("0400000001", 1)));
    EXPECT_EQ(value("SELECT CHAR_LENGTH(ANAMN) FROM PREGLED"), common::Variant{std::int64_t{1000}});
    EXPECT_EQ(value("SELECT CHAR_LENGTH(TERAPY) FROM PREGLED"),
              common::Variant{std::int64_t{3000}});
}

// The row has room for four further diagnoses: a fifth is named in the log, not lost unseen.
TEST_F(EngineTest, DiagnosesBeyondTheRowsRoomAreLogged) {
    SheetInput sheet;
    for (const char* mkb : {"A01", "A02", "A03", "A04", "A05", "A06"})
        sheet.extra += std::string("<Diag><MKB>") + mkb + "</MKB><imeD>д</imeD></Diag>";
    run(2022, withSheets({sheet}), under(addDoctor("0400000001", 1)));
    EXPECT_EQ(value("SELECT PR_ZAB4_MKB FROM PREGLED"), common::Variant{std::string("A04")});
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "АЛ 000412: записани са първите 4 допълнителни диагнози, не са записани: "
                        "A05, A06"),
              log.end());
}

TEST_F(EngineTest, SheetWithAnExpertCommissionIsLogged) {
    SheetInput sheet;
    sheet.extra = "<VisitFor><CountLKKMembers>3</CountLKKMembers></VisitFor>";
    run(2022, withSheets({sheet}), under(addDoctor("0400000001", 1)));
    EXPECT_NE(std::find(log.begin(), log.end(), "АЛ 000412има ЛКК комисия!!!"), log.end());
}

TEST_F(EngineTest, SheetAlreadyInTheDatabaseIsFoundByItsNumberAsANumber) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput sheet;
    sheet.noAl = "412";
    run(2022, withSheets({sheet}), under(doctor));
    // Another sheet of the patient whose number is text must not break the look-up.
    value(
        "INSERT INTO PREGLED (PACIENT_ID, DOCTOR_ID, START_DATE, AMB_LISTN) SELECT PACIENT_ID, "
        "DOCTOR_ID, START_DATE, 'АБВ' FROM PREGLED");
    sheet.noAl = "000412";
    log.clear();
    run(2022, withSheets({sheet}), under(doctor));
    EXPECT_EQ(count("PREGLED"), 2);
    EXPECT_EQ(log.back(), "Импортиране на АЛ: Амб. лист с номер 000412 вече съществува в базата");
}

// NRD 2021 has no NRN column, so its national numbers live in AMB_LISTN; a second import
// must still find them.
TEST_F(EngineTest, Nrd2021NationalNumberIsFoundAgain) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput sheet;
    sheet.noAl = "23049B000001";
    run(2021, withSheets({sheet}), under(doctor));
    run(2021, withSheets({sheet}), under(doctor));
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(count("PREGLED WHERE AMB_LISTN = '23049B000001'"), 1);
}

TEST_F(EngineTest, EarlierVersionsWriteTheirOwnColumns) {
    struct Case {
        int year;
        std::function<void(SheetInput&)> sheet;
        Expected columns;
    } cases[] = {
        {2005, [](SheetInput&) {}, {{"NRD", "2005"}, {"IS_NAPR_TELK", "NULL"}, {"PAY", "NULL"}}},
        // The clinical path sits right under the referral before NRD 2018.
        {2015,
         [](SheetInput& s) {
             s.extra =
                 "<Docs><Izvestie>0</Izvestie><EtEpikriza>0</EtEpikriza><TalonTELK>0</TalonTELK>"
                 "<HospNapr><PathNum>120</PathNum></HospNapr></Docs>";
         },
         {{"IS_HOSPITALIZATION", "Y"}, {"IS_NAPR_TELK", "N"}}},
        // A missing flag of the document model leaves its group's columns empty.
        {2009,
         [](SheetInput& s) { s.extra = "<VisitFor><Consult>1</Consult></VisitFor>"; },
         {{"NRD", "2006"}, {"IS_CONSULTATION", "NULL"}, {"PAY", "Y"}, {"IS_MEDBELEJKA", "NULL"}}},
        {2018,
         [](SheetInput& s) {
             s.extra =
                 "<VisitFor><Consult>true</Consult><Disp>false</Disp><RpHosp>0</RpHosp>"
                 "<LKKVisit>0</LKKVisit><Telk>0</Telk></VisitFor><Docs><TalonTELK>0</TalonTELK>"
                 "</Docs>";
         },
         {{"IS_CONSULTATION", "Y"}, {"IS_DISPANSERY", "N"}, {"AMB_PR", "1"}, {"NRN", ""}}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        c.sheet(sheet);
        run(c.year, withSheets({sheet}), under(addDoctor("04" + std::to_string(n), 1)));
        expectColumns("FROM PREGLED WHERE ID = (SELECT MAX(ID) FROM PREGLED)", c.columns,
                      std::to_string(c.year));
    }
}

}  // namespace
}  // namespace kalvex::engine
