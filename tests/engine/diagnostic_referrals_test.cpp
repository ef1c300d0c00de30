// Medico-diagnostic referrals and their tests: the referral row of every version, the
// tests found by code, the journal reset, the national referral of NRD 2018 and 2021,
// codes without room named in the log, and a sheet that fails left behind whole.
#include <algorithm>
#include <functional>
#include <tuple>

#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

// One "MDD" element; `more` adds further children (NRN, NzisStatus, ...).
std::string mdd(const std::string& no, int mddFor, const std::string& mkb,
                const std::vector<std::string>& tests = {}, const std::string& more = "") {
    std::string xml = "<MDD><NoMDD>" + no + "</NoMDD><MDDFor>" + std::to_string(mddFor) +
                      "</MDDFor><MDDMKB>" + mkb + "</MDDMKB>";
    for (const std::string& test : tests)
        xml += "<kodMDD>" + test + "</kodMDD>";
    return xml + more + "</MDD>";
}

SheetInput sheetWith(const std::string& mdds, const std::string& noAl = "000412") {
    SheetInput sheet;
    sheet.noAl = noAl;
    sheet.extra = "<Docs>" + mdds + "</Docs>";
    return sheet;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

const char* const kLastReferral = "FROM BLANKA_MDN WHERE ID = (SELECT MAX(ID) FROM BLANKA_MDN)";

TEST_F(EngineTest, ReferralRowOfNrd2022) {
    struct Case {
        const char* what;
        std::string mdds;
        Expected columns;
    } cases[] = {
        {"number with leading zeros, two codes, type 4",
         mdd("000302", 4, "I10 E11"),
         {{"NUMBER", "302"},
          {"CAST(DATA AS VARCHAR(10))", "2023-04-07"},
          {"ICD_CODE", "I10"},
          {"ICD_CODE_ADD", "E11"},
          {"MED_DIAG_NAPR_TYPE_ID", "3"},
          {"NRN", ""},
          {"NZIS_STATUS", "0"}}},
        {"own NRN and status, type 6",
         mdd("17", 6, "I10", {}, "<NRN>23049C000001</NRN><NzisStatus>5</NzisStatus>"),
         {{"NUMBER", "17"},
          {"NRN", "23049C000001"},
          {"NZIS_STATUS", "5"},
          {"MED_DIAG_NAPR_TYPE_ID", "9"},
          {"ICD_CODE_ADD", "NULL"}}},
        {"11 characters at place 2: national, type 13",
         mdd("4", 1, "I10") + mdd("23049D00001", 13, "I10", {}, "<NzisStatus>5</NzisStatus>"),
         {{"NUMBER", "2"},
          {"NRN", "23049D00001"},
          {"NZIS_STATUS", "3"},
          {"MED_DIAG_NAPR_TYPE_ID", "8"}}},
        {"10 characters: a number, type 3 unknown",
         mdd("0000000302", 3, "I10"),
         {{"NUMBER", "302"}, {"NRN", ""}, {"NZIS_STATUS", "0"}, {"MED_DIAG_NAPR_TYPE_ID", "-1"}}},
        {"six characters taken whole, type 5 unknown",
         mdd("5", 5, "I1 E11"),
         {{"ICD_CODE", "I1 E11"}, {"ICD_CODE_ADD", "NULL"}, {"MED_DIAG_NAPR_TYPE_ID", "-1"}}},
        {"a first piece of 7 characters is no code",
         mdd("5", 0, "I10.123 E11"),
         {{"ICD_CODE", "NULL"}, {"ICD_CODE_ADD", "E11"}}},
        {"no diagnosis", mdd("5", 2, ""), {{"ICD_CODE", "NULL"}, {"ICD_CODE_ADD", "NULL"}}},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        run(2022, withSheets({sheetWith(c.mdds, std::to_string(++n))}), under(doctor));
        expectColumns(kLastReferral, c.columns, c.what);
    }
    EXPECT_EQ(count("EXAM_ANALYSIS"), 0);
}

// The journal loses a sheet with a referral in a GP database only, a duplicate included.
TEST_F(EngineTest, ReferralTakesTheExaminationOutOfTheJournal) {
    struct Case {
        int year;
        int edition;
        std::string mdds;
        const char* journal;
    } cases[] = {
        {2022, 0, mdd("5", 1, "I10") + mdd("5", 1, "I10"), "0"},
        {2022, 1, mdd("5", 1, "I10"), "NULL"},
        {2022, 0, "", "1"},
        {2018, 0, mdd("5", 1, "I10"), "1"},
    };
    int n = 0;
    for (const Case& c : cases) {
        run(c.year, withSheets({sheetWith(c.mdds, "1")}),
            under(addDoctor("04" + std::to_string(++n), 1), c.edition));
        EXPECT_EQ(text(value("SELECT AMB_JOURNALN FROM PREGLED WHERE ID = (SELECT MAX(ID) FROM "
                             "PREGLED)")),
                  c.journal)
            << c.year << " " << c.edition << " " << c.mdds;
    }
    EXPECT_TRUE(contains(log,
                         "Това медико-диагностично направление вече съществува в базата, "
                         "АЛ = 1"));
}

TEST_F(EngineTest, TestsOfAReferralNrd2022) {
    const std::string cl22 =
        "<NzisCodeCL22>7</NzisCodeCL22><NzisDescriptionCL22>Кръв</NzisDescriptionCL22>";
    // "1.06" is not in the padded form; 01.06 has a retired row beside its effective one.
    const std::string mdds = mdd("000302", 1, "I10", {"01.01", "1.06", "01.06", "99.99"}, cl22) +
                             mdd("23049B000001", 1, "I10", {"06.01"}) + mdd("7", 1, "I10") +
                             mdd("302", 1, "I10", {"01.01", "01.03"});
    run(2022, withSheets({sheetWith(mdds)}), under(addDoctor("0400000001", 1)));

    EXPECT_EQ(count("BLANKA_MDN"), 3);
    EXPECT_EQ(text(value("SELECT LIST(a.ANALYSIS_ID || '/' || m.NUMBER || '/' || "
                         "COALESCE(a.NZIS_CODE_CL22, '-') || '/' || "
                         "COALESCE(a.NZIS_DESCRIPTION_CL22, '-'), ' ') FROM (SELECT * FROM "
                         "EXAM_ANALYSIS ORDER BY ID) a JOIN BLANKA_MDN m ON m.ID = "
                         "a.BLANKA_MDN_ID")),
              "1/302/7/Кръв 3/302/7/Кръв 4/2/0/ 2/302/0/");
    EXPECT_EQ(user.memo, (std::vector<std::string>{
                             "Импортиране на изследвания: Програмата не откри Изследване с код "
                             "1.06",
                             "Импортиране на изследвания: Програмата не откри Изследване с код "
                             "99.99"}));
    // The fourth referral is the first one again: its tests join it, a test twice is logged.
    EXPECT_TRUE(contains(log,
                         "Това медико-диагностично направление вече съществува в базата, "
                         "АЛ = 000412"));
    EXPECT_TRUE(contains(log, "Неуспешно импортиране на изследвания за АЛ 000412"));
}

// Every referral's tests go to the row written (or found again) for that referral, even
// where a look-up by number would find another: a national referral's number is its place.
TEST_F(EngineTest, TestsJoinTheirOwnReferralRow) {
    const std::string nrn = "23049B000001";
    struct Case {
        const char* what;
        int year;
        std::string mdds;
        const char* rows;  // per BLANKA_MDN row: NUMBER/NRN=its tests' ANALYSIS_ID
        std::vector<std::string> memo;
    } cases[] = {
        {"a practice number equal to the national one's place finds no row of its own",
         2022,
         mdd(nrn, 1, "I10", {"01.01"}) + mdd("000001", 1, "I10", {"01.01", "01.03"}),
         "1/23049B000001=1",
         {"Импортиране на изследвания: Програмата не откри Медико-диагн. напр. с номер 000001"}},
        {"a practice number one past the national one's place",
         2022,
         mdd(nrn, 1, "I10", {"01.01"}) + mdd("000002", 1, "I10", {"01.01", "01.03"}),
         "1/23049B000001=1 2/=1,2",
         {}},
        {"a practice referral carrying the national number",
         2022,
         mdd("5", 1, "I10", {"01.03"}, "<NRN>" + nrn + "</NRN>") + mdd(nrn, 1, "I10", {"01.01"}),
         "5/23049B000001=2 2/23049B000001=1",
         {}},
        {"NRD 2015: a signed number is written as the number it stands for",
         2015,
         mdd("+302", 1, "I10", {"01.01"}) + mdd("302", 1, "I10", {"01.03"}),
         "302/=1,2",
         {}},
        {"NRD 2021: the same", 2021, mdd("+302", 1, "I10", {"01.01"}), "302/=1", {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        user = ScriptedUser{};
        run(c.year, withSheets({sheetWith(c.mdds)}),
            under(addDoctor("05" + std::to_string(++n), 1)));
        EXPECT_EQ(
            text(value(
                "SELECT LIST(m.NUMBER || '/' || COALESCE(m.NRN, '') || '=' || COALESCE((SELECT "
                "LIST(a.ANALYSIS_ID, ',') FROM EXAM_ANALYSIS a WHERE a.BLANKA_MDN_ID = m.ID), "
                "''), ' ') FROM (SELECT * FROM BLANKA_MDN WHERE PREGLED_ID = (SELECT MAX(ID) "
                "FROM PREGLED) ORDER BY ID) m")),
            c.rows);
        EXPECT_EQ(user.memo, c.memo);
    }
}

TEST_F(EngineTest, CodesWithoutRoomAreLogged) {
    struct Case {
        int year;
        std::string mdds;
        const char* line;
    } cases[] = {
        {2022, mdd("5", 1, "I10 E11 J20  K21"),
         "АЛ 1: МДН 5: записани са първите 2 кода, не са записани: J20, K21"},
        {2015, mdd("6", 1, "I10 E11 J20"),
         "АЛ 2: МДН 6: записани са първите 2 кода, не са записани: J20"},
        {2021, mdd("23049B000001", 1, "I10 E11"),
         "АЛ 3: МДН 23049B000001: записан е първият код, не са записани: E11"},
    };
    int n = 0;
    for (const Case& c : cases) {
        ++n;
        run(c.year, withSheets({sheetWith(c.mdds, std::to_string(n))}),
            under(addDoctor("04" + std::to_string(n), 1)));
        EXPECT_TRUE(contains(log, c.line)) << c.line;
    }
    expectColumns("FROM BLANKA_MDN WHERE NUMBER = 6",
                  {{"ICD_CODE", "I10"}, {"ICD_CODE_ADD", "E11"}}, "2015");
}

TEST_F(EngineTest, EarlierVersionsWriteTheirReferralAndTests) {
    struct Case {
        int year;
        std::string mdds;
        Expected columns;
        const char* tests;  // ANALYSIS_ID of the EXAM_ANALYSIS rows
    } cases[] = {
        // Until NRD 2008 the code is the sheet's main diagnosis; NRD 2005 keeps the type.
        {2005,
         mdd("000302", 4, "E11", {"01.03"}),
         {{"NUMBER", "302"}, {"ICD_CODE", "I10"}, {"MED_DIAG_NAPR_TYPE_ID", "4"}},
         "2"},
        {2008,
         mdd("302", 4, "E11", {"01.01", "06.01"}),
         {{"ICD_CODE", "I10"}, {"MED_DIAG_NAPR_TYPE_ID", "3"}},
         "1 4"},
        {2009,
         mdd("302", 7, "E11 J20", {"01.06"}),
         {{"ICD_CODE", "E11"}, {"ICD_CODE_ADD", "J20"}, {"MED_DIAG_NAPR_TYPE_ID", "4"}},
         "3"},
        {2015,
         mdd("302", 1, "E11.123 J20", {"09.09", "01.01"}),
         {{"ICD_CODE", "NULL"}, {"ICD_CODE_ADD", "J20"}},
         "1"},
        {2018, mdd("0000000302", 1, "E11", {"01.03"}), {{"NUMBER", "302"}}, "2"},
        {2021, mdd("302", 10, "E11", {"01.01"}), {{"MED_DIAG_NAPR_TYPE_ID", "7"}}, "1"},
    };
    for (const Case& c : cases) {
        user = ScriptedUser{};
        run(c.year, withSheets({sheetWith(c.mdds)}), under(addDoctor(std::to_string(c.year), 1)));
        const std::string label = std::to_string(c.year);
        expectColumns(kLastReferral, c.columns, label);
        EXPECT_EQ(text(value("SELECT LIST(ANALYSIS_ID, ' ') FROM (SELECT ANALYSIS_ID FROM "
                             "EXAM_ANALYSIS WHERE BLANKA_MDN_ID = (SELECT MAX(ID) FROM "
                             "BLANKA_MDN) ORDER BY ID)")),
                  c.tests)
            << label;
        EXPECT_EQ(text(value("SELECT AMB_JOURNALN FROM PREGLED WHERE ID = (SELECT MAX(ID) FROM "
                             "PREGLED)")),
                  "000412")
            << label;
    }
    EXPECT_EQ(user.memo.size(), 0u);
    EXPECT_EQ(count("NZIS_MDN"), 0);
}

TEST_F(EngineTest, EarlierVersionReportsAnUnknownTestOnTheDetailsPage) {
    run(2015, withSheets({sheetWith(mdd("302", 1, "E11", {"09.09", "01.01"}))}),
        under(addDoctor("0400000001", 1)));
    EXPECT_EQ(user.memo, std::vector<std::string>{
                             "Импортиране на изследвания: Програмата не откри Изследване с код "
                             "09.09"});
}

// A national referral goes to NZIS_MDN with its tests and symptoms as flags, and keeps
// its tests out of EXAM_ANALYSIS.
TEST_F(EngineTest, NationalReferralOf2018And2021) {
    struct Case {
        int year;
        const char* status;
    } cases[] = {{2018, "NULL"}, {2021, "1"}};
    for (const Case& c : cases) {
        SheetInput sheet = sheetWith(mdd("23049B00000" + std::to_string(c.year % 10), 1,
                                         "U07.1 B34", {"01.01", "01.40", "06.30", "01.06"}) +
                                     mdd("302", 1, "E11", {"01.03"}));
        sheet.extra += "<HState>температура, кашлица и гърлобол; Главоболие</HState>";
        const std::int32_t doctor = addDoctor("04000" + std::to_string(c.year), 1);
        run(c.year, withSheets({sheet}), under(doctor));
        const std::string label = std::to_string(c.year);
        expectColumns("FROM NZIS_MDN WHERE ID = (SELECT MAX(ID) FROM NZIS_MDN)",
                      {{"NRN", ("23049B00000" + std::to_string(c.year % 10)).c_str()},
                       {"MKB", "U07.1"},
                       {"MKB_ADD", "NULL"},
                       {"ANALS", "25"},
                       {"SIMPTOMI", "515"},
                       {"NZIS_CATEGORY", "R1"},
                       {"NZIS_TYPE", "1"},
                       {"NZIS_STATUS", c.status},
                       {"ZAM_UIN", ("04000" + label).c_str()},
                       {"DATE_CREATED", "2023-04-07"},
                       {"VIRTUAL_PREGLED_ID", "NULL"}},
                      label);
        EXPECT_EQ(value("SELECT COUNT(*) FROM NZIS_MDN n JOIN PREGLED p ON p.ID = n.PREGLED_ID "
                        "AND p.PACIENT_ID = n.PATIENT_ID AND p.DOCTOR_ID = n.DOCTOR_ID"),
                  value("SELECT COUNT(*) FROM NZIS_MDN"))
            << label;
        EXPECT_EQ(text(value("SELECT AMB_JOURNALN FROM PREGLED WHERE ID = (SELECT MAX(ID) FROM "
                             "PREGLED)")),
                  "0")
            << label;
    }
    EXPECT_EQ(value("SELECT GEN_ID(GEN_NZIS_MDN, 0) FROM RDB$DATABASE"),
              common::Variant{std::int64_t{2}});
    // The other referral of each sheet is an ordinary one with its test.
    EXPECT_EQ(count("BLANKA_MDN"), 2);
    EXPECT_EQ(count("EXAM_ANALYSIS"), 2);
    EXPECT_EQ(count("EXAM_ANALYSIS WHERE ANALYSIS_ID = 2"), 2);
}

// A referral that stops the run takes its whole sheet with it.
TEST_F(EngineTest, MalformedReferralRollsTheSheetBack) {
    struct Case {
        int year;
        std::string mdds;
    } cases[] = {
        {2009, mdd("302", 1, "E11", {"01.01"}) + mdd("12a", 1, "E11")},
        {2022, mdd("302", 1, "E11", {"01.01"}) + mdd("12a", 1, "E11")},
        {2018, mdd("302", 1, "E11", {"01.01", "1.3"})},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(run(c.year, withSheets({sheetWith(c.mdds)}),
                         under(addDoctor(std::to_string(c.year), 1))),
                     Error)
            << c.year;
        EXPECT_EQ(count("PREGLED"), 0) << c.year;
        EXPECT_EQ(count("BLANKA_MDN"), 0) << c.year;
        EXPECT_EQ(count("EXAM_ANALYSIS"), 0) << c.year;
    }
    EXPECT_TRUE(contains(log,
                         "Амбулаторният лист с номер 000412 не е импортиран: '12a' is not "
                         "a valid integer value"));
}

TEST_F(EngineTest, SecondImportWritesNoReferralAgain) {
    for (const int year : {2022, 2018}) {
        const std::int32_t doctor = addDoctor(std::to_string(year), 1);
        const auto report = withSheets({sheetWith(mdd("302", 1, "E11", {"01.01", "01.03"}) +
                                                  mdd("23049B000001", 1, "E11", {"01.01"}))});
        run(year, report, under(doctor));
        const auto before =
            std::make_tuple(count("BLANKA_MDN"), count("EXAM_ANALYSIS"), count("NZIS_MDN"));
        run(year, report, under(doctor));
        EXPECT_EQ(std::make_tuple(count("BLANKA_MDN"), count("EXAM_ANALYSIS"), count("NZIS_MDN")),
                  before)
            << year;
    }
    EXPECT_EQ(count("BLANKA_MDN"), 3);
    EXPECT_EQ(count("NZIS_MDN"), 1);
}

}  // namespace
}  // namespace kalvex::engine
