// Patients: identity by number and kind, personal data, address names and the notes,
// for NRD 2022 and the differences of earlier versions.
#include <functional>

#include "common/error.h"
#include "common/formats.h"
#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::ReportInput;
using testing::SheetInput;

TEST_F(EngineTest, PatientIdentityPersonalDataAndAddress) {
    struct Case {
        const char* what;
        std::function<void(SheetInput&)> sheet;
        Expected columns;
    } cases[] = {
        {"EGN",
         [](SheetInput&) {},
         {{"EGN", "7501020018"},
          {"PID_TYPE", "E"},
          {"SEX_TYPE", "0"},
          {"BIRTH_DATE", "1975-01-02"},
          {"OBLAST", "София - град"},
          {"PAT_KIND", "1"},
          {"DATE_ZAPISVANE", "2023-04-07"},
          {"OSIGUREN", "Y"},
          {"IS_NEBL_USL", "N"},
          {"RECKNNO", "NULL"},
          {"COUNTRY", "NULL"}}},
        {"foreigner's number",
         [](SheetInput& s) {
             s.egn = "1234567890";
             s.patientExtra = "<LNCH><dateBirth>1980-02-03</dateBirth><Sex>1</Sex></LNCH>";
         },
         {{"EGN", "1234567890"},
          {"PID_TYPE", "L"},
          {"SEX_TYPE", "0"},
          {"BIRTH_DATE", "1980-02-03"}}},
        {"social-security number",
         [](SheetInput& s) {
             s.egn = "0000000000";
             s.patientExtra =
                 "<SS_No>SS-77</SS_No><COUNTRY><COUNTRYCODE>GB</COUNTRYCODE>"
                 "<COUNTRYIDNO>HI-1</COUNTRYIDNO><DateIssue>2022-01-05</DateIssue>"
                 "<DateFrom>bad</DateFrom></COUNTRY>";
         },
         {{"EGN", "SS-77"},
          {"PID_TYPE", "S"},
          {"COUNTRY", "UK"},
          {"HEALTH_INSURANCE_NUMBER", "HI-1"},
          {"DATEISSUE", "2022-01-05"},
          {"DATEFROM", "NULL"},
          {"SEX_TYPE", "NULL"}}},
        {"foreign personal number wins over the social-security number",
         [](SheetInput& s) {
             s.egn = "0000000000";
             s.patientExtra =
                 "<SS_No>SS-77</SS_No><COUNTRY><COUNTRYCODE>DE</COUNTRYCODE>"
                 "<PersID_No>DE-123</PersID_No></COUNTRY>";
         },
         {{"EGN", "DE-123"}, {"PID_TYPE", "F"}, {"COUNTRY", "DE"}}},
        {"no number at all",
         [](SheetInput& s) { s.egn = "0000000000"; },
         {{"EGN", "0000000000"}, {"PID_TYPE", "E"}, {"COUNTRY", ""}}},
        {"region and municipality",
         [](SheetInput& s) {
             s.rzok = "23";
             s.zdrRajon = "04";
         },
         {{"OBLAST", "Софийска област"}, {"OBSHTINA", "Годеч"}, {"NAS_MQSTO", "Годеч"}}},
        {"empty codes",
         [](SheetInput& s) {
             s.rzok = "";
             s.zdrRajon = "";
         },
         {{"OBLAST", "София - град"}, {"OBSHTINA", "Столичен"}}},
        {"region out of the table",
         [](SheetInput& s) { s.rzok = "29"; },
         {{"OBLAST", "Няма област"},
          {"OBSHTINA", "Няма община"},
          {"NAS_MQSTO", "Няма населено място"}}},
        {"municipality 00 is the region",
         [](SheetInput& s) { s.zdrRajon = "00"; },
         {{"OBSHTINA", "София - град"}}},
        {"address cut at 40 characters",
         [](SheetInput& s) { s.address = "ж.к. Младост 1, бл. 12, вх. А, ет. 4, ап. 15"; },
         {{"ULICA", "ж.к. Младост 1, бл. 12, вх. А, ет. 4, ап"}}},
        {"incidental patient, prescription book, disadvantaged",
         [](SheetInput& s) {
             s.flags = "<Sign>1</Sign><Pay>1</Pay><Incidentally>1</Incidentally><Disadv>1</Disadv>";
             s.extra = "<Docs><Rp><RpBook>RB-5</RpBook></Rp></Docs>";
         },
         {{"PAT_KIND", "4"},
          {"DATE_ZAPISVANE", "NULL"},
          {"RECKNNO", "RB-5"},
          {"IS_NEBL_USL", "Y"}}},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        c.sheet(sheet);
        run(2022, withSheets({sheet}), under(doctor));
        expectColumns(
            "FROM PACIENT WHERE ID = (SELECT PACIENT_ID FROM PREGLED WHERE AMB_LISTN = :N)",
            c.columns, c.what, {{"N", sheet.noAl}});
        EXPECT_EQ(text(value("SELECT DOCTOR_ID FROM PACIENT WHERE ID = (SELECT PACIENT_ID FROM "
                             "PREGLED WHERE AMB_LISTN = :N)",
                             {{"N", sheet.noAl}})),
                  std::to_string(doctor))
            << c.what;
        value("DELETE FROM PACIENT");  // each case is a new patient
    }
}

TEST_F(EngineTest, ExistingPatientIsNeitherInsertedNorChangedAndTheLogSaysSo) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    value("INSERT INTO PACIENT (EGN, PID_TYPE, FNAME) VALUES ('7501020018', 'E', 'Стара')");
    // The same number as a foreigner's is another patient.
    value("INSERT INTO PACIENT (EGN, PID_TYPE, FNAME) VALUES ('8001010005', 'L', 'Друга')");
    SheetInput second;
    second.noAl = "2";
    second.egn = "8001010005";
    ReportInput report = withSheets({SheetInput{}});
    report.doctors[0].sheets.push_back(second);
    run(2022, report, under(doctor));
    EXPECT_EQ(count("PACIENT"), 3);
    EXPECT_EQ(count("PACIENT WHERE FNAME = 'Стара'"), 1);
    EXPECT_EQ(log[1],
              "Импортиране на пациент: Пациентът Иван Стоянов вече съществува в базата на Salvix");
}

TEST_F(EngineTest, NotesCarryTheDateInTheFormatOfTheMoment) {
    common::SetGlobalCultureFormats();
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput second;
    second.noAl = "2";
    second.egn = "8001010005";
    ReportInput report = withSheets({SheetInput{}});
    report.doctors[0].sheets.push_back(second);
    run(2022, report, under(doctor));
    const std::string first = text(value("SELECT BELEJKI FROM PACIENT WHERE EGN = '7501020018'"));
    const std::string later = text(value("SELECT BELEJKI FROM PACIENT WHERE EGN = '8001010005'"));
    // Only a patient created before the first sheet's switch gets the day first.
    EXPECT_EQ(first.rfind("Импортиран чрез Kalvex на ", 0), 0u);
    EXPECT_EQ(first[std::string("Импортиран чрез Kalvex на ").size() + 2], '.') << first;
    EXPECT_EQ(later[std::string("Импортиран чрез Kalvex на ").size() + 4], '-') << later;
}

// A patient that can be neither written nor found is never replaced by the last sheet's.
TEST_F(EngineTest, SheetWhosePatientCannotBeWrittenIsSkippedNotWrittenUnderAnother) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput bad;
    bad.noAl = "2";
    bad.egn = "12345678901234567890123";  // longer than the column
    ReportInput report = withSheets({SheetInput{}});
    report.doctors[0].sheets.push_back(bad);
    run(2022, report, under(doctor));
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(count("PREGLED WHERE AMB_LISTN = '2'"), 0);
    EXPECT_NE(log.back().find("Амб. лист с номер 2 не е импортиран: пациентът Иван Стоянов с ЕГН "
                              "12345678901234567890123"),
              std::string::npos)
        << log.back();
    // Up to NRD 2015 such a failure stops the run.
    EXPECT_THROW(run(2015, report, under(doctor)), Error);
}

TEST_F(EngineTest, EarlierVersionsIdentifyAndFillPatientsTheirWay) {
    struct Case {
        int year;
        std::function<void(SheetInput&)> sheet;
        Expected columns;
    } cases[] = {
        // Up to 2008 a boolean foreigner's "Sex" makes a foreigner's number.
        {2006,
         [](SheetInput& s) {
             s.egn = "1234567890";
             s.patientExtra = "<LNCH><dateBirth>1980-02-03</dateBirth><Sex>false</Sex></LNCH>";
         },
         {{"PID_TYPE", "L"}, {"SEX_TYPE", "1"}}},
        // 2008: the certificate number of a patient without EGN.
        {2008,
         [](SheetInput& s) {
             s.egn = "0000000000";
             s.patientExtra =
                 "<COUNTRY><COUNTRYCODE>GB</COUNTRYCODE><COUNTRYIDNO>GB-9</COUNTRYIDNO>"
                 "</COUNTRY>";
         },
         {{"EGN", "GB-9"}, {"PID_TYPE", "F"}, {"COUNTRY", "GB"}}},
        // 2009 on: the foreign number wins even when it is empty.
        {2009,
         [](SheetInput& s) {
             s.egn = "0000000000";
             s.patientExtra = "<SS_No>SS-1</SS_No>";
         },
         {{"EGN", ""}, {"PID_TYPE", "F"}, {"DATE_ZAPISVANE", "2023-04-07"}}},
        {2015, [](SheetInput& s) { s.rzok = "29"; }, {{"OBLAST", "Няма област"}}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        c.sheet(sheet);
        run(c.year, withSheets({sheet}), under(addDoctor("04" + std::to_string(n), 1)));
        expectColumns(
            "FROM PACIENT WHERE ID = (SELECT PACIENT_ID FROM PREGLED WHERE AMB_LISTN = :N)",
            c.columns, std::to_string(c.year), {{"N", sheet.noAl}});
        value("DELETE FROM PACIENT");
    }
    // 2005 has no "none" names: a region out of the table stops the run.
    SheetInput outside;
    outside.rzok = "29";
    EXPECT_ANY_THROW(run(2005, withSheets({outside}), under(addDoctor("0499", 1))));
}

}  // namespace
}  // namespace kalvex::engine
