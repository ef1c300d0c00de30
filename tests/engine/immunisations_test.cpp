// The immunisations of a sheet: one row per code with the sheet's series and register
// number, the catalogue look-up, the tuberculin test, rows already there, and a sheet
// with immunisations made durable whole.
#include "engine_test.h"

#include "common/error.h"
#include "db/gdb_mediator.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

const char* const kVaccination =
    "<Procedure><imeP>имунизация</imeP><kodP>99.5</kodP><ACHIcode>92192-00</ACHIcode></Procedure>";
const char* const kOtherProcedure =
    "<Procedure><imeP>преглед</imeP><kodP>89.0</kodP><ACHIcode>11111-00</ACHIcode></Procedure>";

class ImmunisationsTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        // A catalogue code that is no number must not break the look-up of one that is.
        value("INSERT INTO IMMUNIZATION (ID, CODE, NAME, EFFECTIVE) VALUES (5, 'BCG-X', 'б', 'Y')");
        value(
            "INSERT INTO IMMUNIZATION (ID, CODE, NAME, EFFECTIVE) VALUES (6, '55', 'стара', 'N')");
    }

    // The rows of the sheet imported last, in the order written, as
    // "IMMUNIZATION_ID|SERIES|NRN_IMMUNIZATION|VACCINE_ID".
    std::vector<std::string> latestRows(db::Tdm& db) {
        const std::string from =
            " FROM EXAM_IMMUNIZATION WHERE PREGLED_ID = (SELECT MAX(ID) FROM PREGLED)";
        const auto total = std::get<std::int64_t>(db.SqlToValue("SELECT COUNT(*)" + from));
        std::vector<std::string> rows;
        for (std::int64_t k = 1; k <= total; ++k)
            rows.push_back(text(db.SqlToValue(
                "SELECT IMMUNIZATION_ID || '|' || COALESCE(SERIES, 'NULL') || '|' || "
                "COALESCE(NRN_IMMUNIZATION, 'NULL') || '|' || COALESCE(VACCINE_ID, 'NULL')" +
                from + " ORDER BY ID ROWS " + std::to_string(k) + " TO " + std::to_string(k))));
        return rows;
    }
    std::vector<std::string> latestRows() { return latestRows(dm); }
};

struct Case {
    const char* what;
    int year;
    std::string extra;  // children of "AmbList"
    std::vector<std::string> rows;
    std::vector<std::string> logLines = {};
};

TEST_F(ImmunisationsTest, RowsPerVersion) {
    const std::string vaccine =
        "<Vaccine><VaccineNo>AB123</VaccineNo><VaccineType>1</VaccineType>"
        "</Vaccine>";
    const Case cases[] = {
        {"2022 two codes share series and register number",
         2022,
         "<Imun><CodeImun>12</CodeImun><CodeImun>31</CodeImun>" + vaccine +
             "<NoImun>23049I000001</NoImun></Imun>",
         {"2|AB123|23049I000001|NULL", "3|AB123|23049I000001|NULL"}},
        {"2022 vaccination procedure first",
         2022,
         std::string(kVaccination) + kOtherProcedure + "<Imun><CodeImun>12</CodeImun></Imun>",
         {"2|||1"}},
        {"2022 vaccination procedure second only",
         2022,
         std::string(kOtherProcedure) + kVaccination + "<Imun><CodeImun>12</CodeImun></Imun>",
         {"2|||NULL"}},
        {"2022 register number alone",
         2022,
         "<Imun><NoImun>23049I000002</NoImun></Imun>",
         {"0||23049I000002|NULL"}},
        {"2022 neither", 2022, "<Imun></Imun>", {}},
        {"2022 tuberculin test without codes", 2022, "<Imun><Mantu>90</Mantu></Imun>", {}},
        // The tuberculin test keeps none of the last vaccine's data.
        {"2022 tuberculin test after a vaccination",
         2022,
         std::string(kVaccination) + "<Imun><CodeImun>12</CodeImun>" + vaccine +
             "<NoImun>23049I000003</NoImun><Mantu>90</Mantu></Imun>",
         {"2|AB123|23049I000003|1", "4|NULL|NULL|NULL"}},
        {"2022 code without an effective entry",
         2022,
         "<Imun><CodeImun>77</CodeImun><CodeImun>55</CodeImun><CodeImun>012</CodeImun></Imun>",
         {"2|||NULL"},
         {"Не съществува ефективна имунизация с код = 77",
          "Не съществува ефективна имунизация с код = 55"}},
        {"2022 same code twice",
         2022,
         "<Imun><CodeImun>12</CodeImun><CodeImun>12</CodeImun><CodeImun>31</CodeImun></Imun>",
         {"2|||NULL", "3|||NULL"},
         {"Тази имунизация вече съществува в базата, АЛ = 2023-04-07"}},
        {"2021 register number and vaccine",
         2021,
         "<Imun><CodeImun>1</CodeImun>" + vaccine + "<NoImun>23049I000004</NoImun></Imun>",
         {"1|AB123|23049I000004|NULL"}},
        {"2018 tuberculin test alone",
         2018,
         "<Imun><Mantu>90</Mantu></Imun>",
         {"4|NULL|NULL|NULL"}},
        {"2018 vaccine is not read",
         2018,
         std::string(kVaccination) + "<Imun><CodeImun>12</CodeImun>" + vaccine + "</Imun>",
         {"2|NULL|NULL|NULL"}},
        {"2005 codes and tuberculin test",
         2005,
         "<Imun><CodeImun>12</CodeImun><CodeImun>31</CodeImun><Mantu>090</Mantu></Imun>",
         {"2|NULL|NULL|NULL", "3|NULL|NULL|NULL", "4|NULL|NULL|NULL"}},
        {"2009 empty tuberculin test finds nothing",
         2009,
         "<Imun><Mantu></Mantu></Imun>",
         {},
         {"Не съществува ефективна имунизация с код = "}},
    };
    const std::int32_t doctor = addDoctor("0400000001", 1);
    int n = 0;
    for (const Case& c : cases) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++n);
        sheet.extra = c.extra;
        log.clear();
        run(c.year, withSheets({sheet}), under(doctor));
        ASSERT_EQ(text(value("SELECT AMB_LISTN FROM PREGLED WHERE ID = (SELECT MAX(ID) FROM "
                             "PREGLED)")),
                  sheet.noAl)
            << c.what;
        EXPECT_EQ(latestRows(), c.rows) << c.what;
        for (const std::string& line : c.logLines) {
            EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << c.what << ": " << line;
        }
    }
    EXPECT_EQ(count("EXAM_IMMUNIZATION WHERE DATA <> '2023-04-07' OR DOSE IS NOT NULL OR "
                    "RESULT NOT LIKE 'Импортиран чрез Kalvex на 2%'"),
              0);
}

TEST_F(ImmunisationsTest, SecondImportWritesNothingNew) {
    SheetInput sheet;
    sheet.extra = "<Imun><CodeImun>12</CodeImun><Mantu>90</Mantu></Imun>";
    const auto report = withSheets({sheet});
    const std::int32_t doctor = addDoctor("0400000001", 1);
    const ImportCounts first = run(2022, report, under(doctor));
    EXPECT_EQ(first[RowKind::immunisation].written, 2);
    const ImportCounts again = run(2022, report, under(doctor));
    EXPECT_EQ(again[RowKind::immunisation].written, 0);
    EXPECT_EQ(count("EXAM_IMMUNIZATION"), 2);
}

// A sheet with immunisations is committed once it is whole: a run stopped on a later
// sheet leaves it for every other connection, and nothing of the stopped sheet, even
// the immunisation it wrote before it failed.
TEST_F(ImmunisationsTest, SheetWithImmunisationsIsDurableWholeAndAStoppedSheetNotAtAll) {
    SheetInput whole;
    whole.extra =
        "<Imun><CodeImun>12</CodeImun><CodeImun>31</CodeImun></Imun>"
        "<Docs><HospNapr><Hosp><PathNum>120</PathNum><NaprNo>5</NaprNo></Hosp>"
        "</HospNapr></Docs>";
    SheetInput stopped;
    stopped.noAl = "000413";
    stopped.egn = "8001010005";
    stopped.extra = "<Imun><CodeImun>1</CodeImun><CodeImun></CodeImun></Imun>";
    EXPECT_THROW(run(2022, withSheets({whole, stopped}), under(addDoctor("0400000001", 1))), Error);

    db::Tdm other;
    db::GDBOpenDatabase(other, database.path());
    const auto seen = [&](const std::string& table) {
        return std::get<std::int64_t>(other.SqlToValue("SELECT COUNT(*) FROM " + table));
    };
    EXPECT_EQ(seen("PREGLED"), 1);
    EXPECT_EQ(seen("PACIENT"), 1);
    EXPECT_EQ(seen("HOSPITALIZATION"), 1);
    EXPECT_EQ(seen("EXAM_IMMUNIZATION"), 2);
    EXPECT_EQ(seen("EXAM_IMMUNIZATION WHERE IMMUNIZATION_ID = 1"), 0);
}

}  // namespace
}  // namespace kalvex::engine
