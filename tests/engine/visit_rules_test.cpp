// A specialist's examination: the referral, the primary sheet, the procedures' catalogue
// IDs and the end of a rehabilitation, as the columns of PREGLED show them.
#include <map>

#include "edition_s_fixture.h"

namespace kalvex::engine {
namespace {

using Columns = std::map<std::string, std::string>;

// The reason flags that the earlier versions must be able to read.
const std::string kNoReason = "<VisitFor><Consult>0</Consult><Disp>0</Disp></VisitFor>";

struct VisitCase {
    const char* what;
    std::string examType;
    std::string extra;
    Columns expected;
};

TEST_F(SpecialistTest, VisitRulesFillReferralAndPrimarySheetColumns) {
    const std::string nrn = "23A1B2C3D4E5";
    const std::vector<VisitCase> cases = {
        {"a referral with a national number",
         "11",
         simpList(primaryVisit(nrn, 1, 7)),
         {{"SIMP_NAPR_N", "0"},
          {"SIMP_NAPR_NRN", "'" + nrn + "'"},
          {"VISIT_TYPE_ID", "0"},
          {"NAPR_TYPE_ID", "6"},
          {"SIMP_FORM_DATE", "2023-04-01"},
          {"SIMP_PRAKTIKA", "'2201000002'"},
          {"SIMP_UIN", "'0400000009'"},
          {"SIMP_SPECIALITY_CODE", "'05'"},
          {"SIMP_IS_NAET", "'N'"},
          {"SIMP_UIN_ZAMESTVASHT", "NULL"}}},
        {"a referral with a practice number",
         "11",
         simpList(primaryVisit("123", 2, 13)),
         {{"SIMP_NAPR_N", "123"},
          {"SIMP_NAPR_NRN", "NULL"},
          {"VISIT_TYPE_ID", "1"},
          {"NAPR_TYPE_ID", "6"},
          {"AMB_PR", "1"}}},
        {"a reason without a type",
         "11",
         simpList(primaryVisit("124", 1, 6)),
         {{"NAPR_TYPE_ID", "-1"}}},
        {"exam type 0 on a referral is an ambulatory primary visit",
         "0",
         simpList(primaryVisit("125", 3, 75)),
         {{"AMB_PR", "1"}, {"VISIT_TYPE_ID", "2"}, {"NAPR_TYPE_ID", "15"}}},
        {"a hired referring doctor leaves the primary sheet unnamed",
         "11",
         simpList(primaryVisit("126", 1, 1, "<H_S>0</H_S><UINH_S>0400000077</UINH_S>") +
                  secondaryVisit("77", "2023-04-03")),
         {{"SIMP_PRIMARY_AMBLIST_N", "NULL"},
          {"SIMP_PRIMARY_AMBLIST_NRN", "NULL"},
          {"SIMP_PRIMARY_AMBLIST_DATE", "NULL"},
          {"SIMP_IS_NAET", "'Y'"},
          {"SIMP_IS_ZAMESTVASHT", "'N'"},
          {"SIMP_UIN_ZAMESTVASHT", "'0400000077'"},
          {"NAPR_TYPE_ID", "1"}}},
        {"a referral that also names its primary sheet",
         "11",
         simpList(primaryVisit("127", 1, 1) + secondaryVisit("78", "2023-04-03")),
         {{"SIMP_PRIMARY_AMBLIST_N", "'78'"},
          {"SIMP_PRIMARY_AMBLIST_NRN", "''"},
          {"SIMP_PRIMARY_AMBLIST_DATE", "2023-04-03"}}},
        {"a secondary visit after a practice-numbered sheet",
         "12",
         simpList(secondaryVisit("79", "2023-04-03")),
         {{"SIMP_PRIMARY_AMBLIST_N", "'79'"},
          {"SIMP_PRIMARY_AMBLIST_NRN", "''"},
          {"SIMP_PRIMARY_AMBLIST_DATE", "2023-04-03"},
          {"AMB_PR", "2"},
          {"NAPR_TYPE_ID", "0"}}},
        {"a secondary visit after a nationally numbered sheet",
         "22",
         simpList(secondaryVisit(nrn, "2023-04-03")),
         {{"SIMP_PRIMARY_AMBLIST_N", "NULL"},
          {"SIMP_PRIMARY_AMBLIST_NRN", "'" + nrn + "'"},
          {"DOM_PR", "2"}}},
        {"a secondary visit without the primary sheet's date",
         "12",
         simpList("<SecondaryVisit><NoAmbL>80</NoAmbL></SecondaryVisit>"),
         {{"SIMP_PRIMARY_AMBLIST_N", "NULL"},
          {"SIMP_PRIMARY_AMBLIST_DATE", "NULL"},
          {"NAPR_TYPE_ID", "NULL"}}},
        {"exam type 14", "14", "", {{"AMB_PR", "1"}, {"VISIT_TYPE_ID", "5"}}},
        {"no referral", "11", "", {{"VISIT_TYPE_ID", "0"}, {"SIMP_NAPR_N", "NULL"}}},
    };
    int number = 600;
    for (const VisitCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string noAl = std::to_string(++number);
        import(2022, {sheet(noAl, c.examType, c.extra)});
        for (const auto& [name, expected] : c.expected)
            EXPECT_EQ(column(name, noAl), expected) << name;
    }
}

TEST_F(SpecialistTest, ProcedureGetsTheSpecialtysCatalogueIdElseAnyEffectiveOneElseZero) {
    const auto procedure = [](const std::string& code, const std::string& count) {
        return "<Procedure><imeP>процедура</imeP><kodP>" + code + "</kodP>" + count +
               "</Procedure>";
    };
    struct Case {
        const char* what;
        std::string extra;
        Columns expected;
    };
    const std::vector<Case> cases = {
        {"the specialty's ordinary procedure, an other specialty's one, an unknown code",
         procedure("89.52", "<CountP>3</CountP>") + procedure("95.09", "") +
             procedure("99.99", "<CountP>0</CountP>"),
         {{"PROCEDURE1_ID", "1"},
          {"PROCEDURE2_ID", "4"},
          {"PROCEDURE3_ID", "0"},
          {"PROCEDURE4_ID", "NULL"},
          {"REH_PROC1", "3"},
          {"REH_PROC2", "NULL"},
          {"REH_PROC3", "NULL"},
          {"REH_FINISHED_AT", "NULL"}}},
        {"a highly specialised procedure on a VSD visit, article 147 first",
         "<VisitFor><VSDVisit><Hosp>0</Hosp></VSDVisit></VisitFor>" + procedure("88.72", "") +
             procedure("89.52", ""),
         {{"PROCEDURE1_ID", "2"}, {"PROCEDURE2_ID", "1"}}},
        {"codes that cannot match find nothing",
         procedure("89'52", "") + procedure(std::string(20, '9'), ""),
         {{"PROCEDURE1_ID", "0"}, {"PROCEDURE2_ID", "0"}}},
    };
    int number = 700;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string noAl = std::to_string(++number);
        import(2022, {sheet(noAl, "11", c.extra)});
        for (const auto& [name, expected] : c.expected)
            EXPECT_EQ(column(name, noAl), expected) << name;
    }
}

// The last sheet of a rehabilitation stamps its date into itself and into the patient's
// primary examination found by number and date, under whichever doctor: NRD 2022 into
// the one row found, the earlier versions into every row of the patient's of that number
// and date. Another patient's sheet of that number and date, written first, is left as
// it is; a second import changes nothing.
TEST_F(SpecialistTest, RehabilitationEndStampsThePrimaryExamination) {
    struct Case {
        int year;
        std::string primaryNumber;  // "NoAmbL"
        std::string examType;
        std::string simpCode;
        int stampedPrimaries;
    };
    const std::vector<Case> cases = {
        {2022, "000412", "22", "23", 1}, {2021, "510", "22", "23", 2},
        {2018, "511", "12", "23", 2},    {2006, "512", "22", "23", 2},
        {2005, "513", "22", "23", 0},    {2022, "520", "12", "23", 1},
        {2022, "530", "11", "23", 0},    {2022, "540", "22", "05", 0},
        {2022, "5'50", "22", "23", 1},
    };
    testing::SheetInput another = sheet("1", "11", "");
    another.egn = "8001010008";
    import(2022, {sheet("2", "11", ""), another});
    const auto patient = [&](const std::string& egn) {
        return value("SELECT ID FROM PACIENT WHERE EGN = :E", {{"E", egn}});
    };
    const std::int32_t cardiologist = addDoctor("0400000002", 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + " " + c.primaryNumber + " t=" + c.examType +
                     " SIMPCode " + c.simpCode);
        const auto primary = [&](const common::Variant& patientId, std::int32_t d) {
            value(
                "INSERT INTO PREGLED (PACIENT_ID, DOCTOR_ID, START_DATE, AMB_LISTN) VALUES "
                "(:P, :D, DATE '2023-04-03', :N)",
                {{"P", patientId}, {"D", std::int64_t{d}}, {"N", c.primaryNumber}});
        };
        primary(patient(another.egn), cardiologist);
        for (const std::int32_t d : {doctor, cardiologist})
            primary(patient("7501020018"), d);
        const std::string noAl = c.primaryNumber + "1";
        for (int pass = 0; pass < 2; ++pass)
            import(c.year,
                   {sheet(noAl, c.examType,
                          kNoReason + simpList(secondaryVisit(c.primaryNumber, "2023-04-03")) +
                              "<Procedure><imeP>рехабилитация</imeP><kodP>93.11</kodP>"
                              "<CountP>10</CountP></Procedure>")},
                   c.simpCode);
        EXPECT_EQ(column("REH_FINISHED_AT", noAl), c.stampedPrimaries > 0 ? "2023-04-07" : "NULL");
        const auto stamped = [&](const std::string& egn) {
            return show(
                value("SELECT COUNT(*) FROM PREGLED WHERE REH_FINISHED_AT = DATE '2023-04-07' AND "
                      "AMB_LISTN = :N AND PACIENT_ID = (SELECT ID FROM PACIENT WHERE EGN = :E)",
                      {{"N", c.primaryNumber}, {"E", egn}}));
        };
        EXPECT_EQ(stamped("7501020018"), std::to_string(c.stampedPrimaries));
        EXPECT_EQ(stamped(another.egn), "0");
        value("UPDATE PREGLED SET REH_FINISHED_AT = NULL");
    }
}

// The earlier versions have no national number columns, and NRD 2005 no type table.
TEST_F(SpecialistTest, EarlierVersionsWriteEveryNumberToTheNumberColumns) {
    const std::string nrn = "230000000012";
    struct Case {
        int year;
        std::string examType;
        std::string extra;
        Columns expected;
    };
    const std::vector<Case> cases = {
        {2018,
         "12",
         kNoReason + simpList(secondaryVisit(nrn, "2023-04-03")),
         {{"SIMP_PRIMARY_AMBLIST_N", "'" + nrn + "'"}, {"SIMP_PRIMARY_AMBLIST_NRN", "NULL"}}},
        {2021,
         "11",
         simpList(primaryVisit("123", 2, 13)),
         {{"SIMP_NAPR_N", "123"}, {"NAPR_TYPE_ID", "6"}, {"SIMP_NAPR_NRN", "NULL"}}},
        {2005,
         "11",
         simpList(primaryVisit("124", 2, 13)),
         {{"SIMP_NAPR_N", "124"}, {"VISIT_TYPE_ID", "1"}, {"NAPR_TYPE_ID", "13"}}},
    };
    int number = 800;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        const std::string noAl = std::to_string(++number);
        import(c.year, {sheet(noAl, c.examType, c.extra)});
        for (const auto& [name, expected] : c.expected)
            EXPECT_EQ(column(name, noAl), expected) << name;
    }
}

}  // namespace
}  // namespace kalvex::engine
