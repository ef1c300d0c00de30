// Sick-leave certificates: the row by rule, the versions' differences, the examination's
// link, certificates the database refuses, and a certificate that is there already.
#include <algorithm>
#include <chrono>
#include <functional>

#include "common/regions.h"
#include "db/database_error.h"
#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

struct Certificate {
    std::string number = "123";
    std::string mkb = "I10";
    std::string type = "0";
};

std::string hlist(const Certificate& c) {
    return "<HList><NoBl>" + c.number + "</NoBl><days>5</days><HLMKB>" + c.mkb +
           "</HLMKB><HLFromDate>2023-04-07</HLFromDate><HLToDate>2023-04-11</HLToDate><HLtype>" +
           c.type + "</HLtype></HList>";
}

SheetInput sheetWith(const std::vector<Certificate>& certificates) {
    SheetInput sheet;
    sheet.extra = "<Docs>";
    for (const Certificate& c : certificates)
        sheet.extra += hlist(c);
    sheet.extra += "</Docs>";
    return sheet;
}

std::string repeat(const std::string& part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

std::string municipality(int region, int column) {
    return std::string(common::municipalityName(region, column));
}

// Whole years of 365.25 days since 2 January 1975 (the default patient's EGN).
std::string ageOfDefaultPatient() {
    using namespace std::chrono;
    const auto today = floor<days>(system_clock::now());
    const auto born = sys_days{year{1975} / January / 2};
    return std::to_string(static_cast<int>((today - born).count() / 365.25));
}

// Each case imports its sheet under a doctor of its own, so that its examination is new.
class SickLeaveTest : public EngineTest {
  protected:
    void importSheet(int year, SheetInput sheet) {
        ++cases;
        sheet.noAl = "000412";
        doctor = addDoctor("04" + std::to_string(cases), 1);
        report = withSheets({sheet});
        run(year, report, under(doctor));
    }
    void importAgain(int year) { run(year, report, under(doctor)); }
    // The certificates of the case's examination.
    std::string certificates() const {
        return "EXAM_BOLN_LIST WHERE PREGLED_ID = (SELECT MAX(ID) FROM PREGLED WHERE DOCTOR_ID = " +
               std::to_string(doctor) + ")";
    }
    std::string examination() const {
        return "PREGLED WHERE DOCTOR_ID = " + std::to_string(doctor);
    }
    std::string first(const std::string& column) {
        return text(
            value("SELECT FIRST(1) " + column + " FROM " + certificates() + " ORDER BY ID"));
    }
    std::int64_t generator() {
        return std::get<std::int64_t>(
            value("SELECT GEN_ID(GEN_EXAM_BOLN_LIST, 0) FROM RDB$DATABASE"));
    }
    bool logged(const std::string& line) const {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    bool loggedStart(const std::string& start) const {
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& l) { return l.rfind(start, 0) == 0; });
    }

    int cases = 0;
    std::int32_t doctor = 0;
    testing::ReportInput report;
};

TEST_F(SickLeaveTest, CertificateColumnsByRule) {
    struct Case {
        const char* what;
        std::function<void(SheetInput&)> sheet;
        std::vector<std::pair<std::string, std::string>> columns;
    } cases[] = {
        {"certificate, sheet, patient, doctor and practice",
         [](SheetInput&) {},
         {{"DATA", "2023-04-07"},
          {"EL_NUMBER", "123"},
          {"NUMBER", "NULL"},
          {"IS_PRIMARY", "Y"},
          {"DAYS_HOME", "5"},
          {"SICK_LEAVE_START", "2023-04-07"},
          {"SICK_LEAVE_END", "2023-04-11"},
          {"PATIENT_SEX_TYPE", "0"},
          {"PATIENT_EGN", "7501020018"},
          {"PATIENT_FULLNAME", "Иван Петров Стоянов"},
          {"PATIENT_AGE", ageOfDefaultPatient()},
          {"DOCTOR_KOMISIA", "Мария Иванова Петрова"},
          {"IZDADEN_OT", "ИППМП"},
          {"ICD_CODE", "I10"},
          {"DIAGNOSIS", "Есенциална (първична) хипертония"},
          {"DAYS_HOSPITAL", "0"},
          {"DAYS_SANATORIUM", "0"},
          {"PATIENT_CITY", municipality(22, 1)},
          {"PATIENT_STREET", "ул. Шипка 12"},
          {"TREATMENT_REGIMEN", "1"},
          {"DAYS_FREE", "0"},
          {"DATEOFBIRTH", "NULL"}}},
        {"a continuation",
         [](SheetInput& s) { s = sheetWith({{.type = "1"}}); },
         {{"IS_PRIMARY", "N"}}},
        {"an unknown diagnosis",
         [](SheetInput& s) { s = sheetWith({{.mkb = "Q99.9"}}); },
         {{"ICD_CODE", "Q99.9"}, {"DIAGNOSIS", "NULL"}}},
        {"an empty part of the name keeps its blanks",
         [](SheetInput& s) { s.sur = ""; },
         {{"PATIENT_FULLNAME", "Иван  Стоянов"}}},
        {"region 3, municipality 5",
         [](SheetInput& s) {
             s.rzok = "03";
             s.zdrRajon = "05";
         },
         {{"PATIENT_CITY", municipality(3, 5)}}},
        {"municipality 0 is the region",
         [](SheetInput& s) {
             s.rzok = "03";
             s.zdrRajon = "0";
         },
         {{"PATIENT_CITY", municipality(3, 0)}}},
        {"municipality 23",
         [](SheetInput& s) {
             s.rzok = "03";
             s.zdrRajon = "23";
         },
         {{"PATIENT_CITY", "NULL"}}},
        {"region 29",
         [](SheetInput& s) {
             s.rzok = "29";
             s.zdrRajon = "01";
         },
         {{"PATIENT_CITY", "NULL"}}},
        {"an empty municipality is 1",
         [](SheetInput& s) {
             s.rzok = "03";
             s.zdrRajon = "";
         },
         {{"PATIENT_CITY", municipality(3, 1)}}},
        {"an empty region is 22",
         [](SheetInput& s) {
             s.rzok = "";
             s.zdrRajon = "05";
         },
         {{"PATIENT_CITY", municipality(22, 5)}}},
        {"cuts count characters",
         [](SheetInput& s) { s.address = repeat("Ш", 60); },
         {{"PATIENT_STREET", repeat("Ш", 40)}}},
        {"a man by the EGN",
         [](SheetInput& s) { s.egn = "7501020026"; },
         {{"PATIENT_SEX_TYPE", "1"}}},
        {"no sex in the number: a foreign woman",
         [](SheetInput& s) {
             s.egn = "X1";
             s.patientExtra = "<LNCH><dateBirth>1980-01-01</dateBirth><Sex>1</Sex></LNCH>";
         },
         {{"PATIENT_SEX_TYPE", "0"}, {"PATIENT_EGN", "X1"}}},
        {"no sex in the number: a foreign man",
         [](SheetInput& s) {
             s.egn = "X1";
             s.patientExtra = "<LNCH><dateBirth>1980-01-01</dateBirth><Sex>0</Sex></LNCH>";
         },
         {{"PATIENT_SEX_TYPE", "1"}}},
        {"no sex anywhere", [](SheetInput& s) { s.egn = "X1"; }, {{"PATIENT_SEX_TYPE", "NULL"}}},
    };
    for (const Case& c : cases) {
        SheetInput sheet = sheetWith({{}});
        c.sheet(sheet);
        importSheet(2022, sheet);
        ASSERT_EQ(count(certificates()), 1) << c.what;
        for (const auto& [column, expected] : c.columns) {
            const bool date = column.find("DAT") != std::string::npos ||
                              column.find("SICK_LEAVE") != std::string::npos;
            EXPECT_EQ(first(date ? "CAST(" + column + " AS VARCHAR(10))" : column), expected)
                << c.what << ": " << column;
        }
        EXPECT_EQ(count(certificates() + " AND NOTES STARTING WITH 'Импортиран чрез Kalvex на '"),
                  1)
            << c.what;
    }
}

// Both certificates are written; the examination points at the last one.
TEST_F(SickLeaveTest, TheExaminationIsLinkedToTheLastCertificate) {
    for (int year : {2015, 2018, 2021, 2022}) {
        importSheet(year, sheetWith({{.number = "1"}, {.number = "2"}}));
        const std::string label = std::to_string(year);
        EXPECT_EQ(count(certificates()), 2) << label;
        const auto one = value("SELECT ID FROM " + certificates() + " AND EL_NUMBER = '1'");
        const auto two = value("SELECT ID FROM " + certificates() + " AND EL_NUMBER = '2'");
        EXPECT_EQ(std::get<std::int64_t>(two), std::get<std::int64_t>(one) + 1) << label;
        EXPECT_EQ(value("SELECT EXAM_BOLN_LIST_ID FROM " + examination()), two) << label;
    }
}

TEST_F(SickLeaveTest, EarlierVersionsDiffer) {
    struct Case {
        int year;
        std::vector<Certificate> certificates;
        std::int64_t rows;
        std::vector<std::pair<std::string, std::string>> columns;  // of the first row
        bool linked;
    } cases[] = {
        {2005,
         {{.number = "0077"}},
         1,
         {{"NUMBER", "77"},
          {"EL_NUMBER", "NULL"},
          {"CAST(DATEOFBIRTH AS VARCHAR(10))", "1975-01-02"},
          {"DIAGNOSIS", "NULL"},
          {"DAYS_HOSPITAL", "NULL"},
          {"TREATMENT_REGIMEN", "NULL"},
          {"PATIENT_CITY", "NULL"},
          {"PATIENT_STREET", "NULL"},
          {"PATIENT_SEX_TYPE", "0"}},
         false},
        {2005, {}, 0, {}, false},
        {2006,
         {{.number = "77"}},
         1,
         {{"NUMBER", "77"},
          {"DATEOFBIRTH", "NULL"},
          {"DIAGNOSIS", "Есенциална (първична) хипертония"},
          {"PATIENT_CITY", municipality(22, 1)},
          {"TREATMENT_REGIMEN", "1"}},
         false},
        // A second certificate is not reachable before NRD 2009.
        {2008, {{.number = "77"}, {.number = "78"}}, 1, {{"NUMBER", "77"}}, false},
        {2009,
         {{.number = "77"}, {.number = "78"}},
         2,
         {{"NUMBER", "77"}, {"EL_NUMBER", "NULL"}, {"DAYS_FREE", "0"}},
         false},
        {2015, {{.number = "0077"}}, 1, {{"EL_NUMBER", "0077"}, {"NUMBER", "NULL"}}, true},
    };
    for (const Case& c : cases) {
        importSheet(c.year, sheetWith(c.certificates));
        const std::string label = std::to_string(c.year);
        EXPECT_EQ(count(certificates()), c.rows) << label;
        for (const auto& [column, expected] : c.columns)
            EXPECT_EQ(first(column), expected) << label << ": " << column;
        EXPECT_EQ(count(examination() + " AND EXAM_BOLN_LIST_ID IS NOT NULL"), c.linked ? 1 : 0)
            << label;
    }
}

// NRD 2015 on: a certificate the database refuses is named in the log and the next one is
// still written; before, the refusal fails the sheet.
TEST_F(SickLeaveTest, ARefusedCertificateIsLoggedAndTheNextWritten) {
    const std::string tooLong = repeat("Я", 11);
    for (int year : {2009, 2015, 2021, 2022}) {
        log.clear();
        const SheetInput sheet = sheetWith({{.number = "1", .mkb = tooLong}, {.number = "2"}});
        const std::string label = std::to_string(year);
        if (year == 2009) {
            EXPECT_THROW(importSheet(year, sheet), db::DatabaseError) << label;
            EXPECT_EQ(count(examination()), 0) << label;
            continue;
        }
        importSheet(year, sheet);
        EXPECT_TRUE(loggedStart("АЛ 000412: болничен лист № 1 не е записан: ")) << label;
        EXPECT_TRUE(loggedStart("АЛ 000412: болничен лист № 1 не е записан: Стойността „" +
                                tooLong + "“ е по-дълга от полето EXAM_BOLN_LIST.ICD_CODE (10 знака)"))
            << label;
        EXPECT_EQ(count(certificates()), 1) << label;
        EXPECT_EQ(first("EL_NUMBER"), "2") << label;
        EXPECT_EQ(value("SELECT EXAM_BOLN_LIST_ID FROM " + examination()),
                  value("SELECT ID FROM " + certificates()))
            << label;
    }
}

TEST_F(SickLeaveTest, AFailedLinkIsLoggedAndTheCertificateKept) {
    value("CREATE EXCEPTION E_NO_LINK 'no link'");
    dm.traMain.commitRetaining();
    value(
        "CREATE TRIGGER PREGLED_NO_LINK FOR PREGLED BEFORE UPDATE AS BEGIN "
        "IF (NEW.EXAM_BOLN_LIST_ID IS NOT NULL) THEN EXCEPTION E_NO_LINK; END");
    dm.traMain.commitRetaining();
    importSheet(2022, sheetWith({{}}));
    EXPECT_EQ(count(certificates()), 1);
    EXPECT_EQ(count(examination() + " AND EXAM_BOLN_LIST_ID IS NULL"), 1);
    EXPECT_TRUE(loggedStart(
        "АЛ 000412: болничен лист № 123 е записан, но прегледът не е свързан с него: "));
}

// A certificate already on the examination is logged and written no second time, and
// uses up no key of the generator; neither does a second import of the same file.
TEST_F(SickLeaveTest, ACertificateAlreadyThereWritesNothing) {
    const char* line = "Този болничен лист вече съществува в базата, БЛ = 77";
    struct Case {
        int year;
        std::vector<Certificate> certificates;
        bool duplicate;
    } cases[] = {
        {2005, {{.number = "77"}}, false},
        {2009, {{.number = "77"}, {.number = "0077"}}, true},
        {2015, {{.number = "77"}, {.number = "77"}}, true},
        {2022, {{.number = "77"}, {.number = "77"}}, true},
    };
    for (const Case& c : cases) {
        log.clear();
        importSheet(c.year, sheetWith(c.certificates));
        const std::string label = std::to_string(c.year);
        EXPECT_EQ(count(certificates()), 1) << label;
        EXPECT_EQ(logged(line), c.duplicate) << label;
        const std::int64_t rows = count("EXAM_BOLN_LIST");
        const std::int64_t taken = generator();
        EXPECT_EQ(taken, std::get<std::int64_t>(value("SELECT MAX(ID) FROM EXAM_BOLN_LIST")))
            << label;
        importAgain(c.year);
        EXPECT_EQ(count("EXAM_BOLN_LIST"), rows) << label << ", again";
        EXPECT_EQ(generator(), taken) << label << ", again";
    }
}

}  // namespace
}  // namespace kalvex::engine
