// Prescription rows: how a sheet's drugs become forms in each NRD version, the packages
// priced from the catalogue, and what counts as a prescription already written.
#include <algorithm>
#include <string>
#include <vector>

#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::SheetInput;

std::string drug(const std::string& prescNum, const std::string& code, int quantity = 30,
                 const std::string& extra = "") {
    return "<RpDrug><prescNum>" + testing::xmlEscape(prescNum) + "</prescNum><DrugCode>" +
           testing::xmlEscape(code) + "</DrugCode><DrugMKB>E11.9</DrugMKB><Quantity>" +
           std::to_string(quantity) + "</Quantity><Day>28</Day>" + extra + "</RpDrug>";
}

std::string rp(const std::vector<std::string>& drugs) {
    std::string out = "<Docs><Rp>";
    for (const std::string& d : drugs)
        out += d;
    return out + "</Rp></Docs>";
}

const std::string kNrn = "2304A1000001";
const std::string kOtherNrn = "2304A1000002";

class PrescriptionTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        doctor = addDoctor("0400000001", 1);
        value(
            "INSERT INTO FREE_MEDICINE (ID, CODE, COUNT_IN_PACKAGE, DEVISIBLE, EFFECTIVE) "
            "VALUES (10, 'WF101', 2, 0, 'Y')");
        value(
            "INSERT INTO FREE_MEDICINE (ID, CODE, COUNT_IN_PACKAGE, DEVISIBLE, EFFECTIVE) "
            "VALUES (11, 'Z0000', 0, 0, 'Y')");
    }

    // Imports one sheet with these documents; the number of rows its examination got.
    std::int64_t importSheet(int year, const std::string& docs) {
        SheetInput sheet;
        sheet.noAl = std::to_string(++sheets);
        sheet.extra = docs;
        run(year, withSheets({sheet}), under(doctor));
        return count("FREE_RECIPE WHERE PREGLED_ID = (SELECT MAX(ID) FROM PREGLED)");
    }

    // The rows of the last examination, in the order written, against their expected columns.
    void expectRows(const std::vector<Expected>& rows, const std::string& label) {
        ASSERT_EQ(count("FREE_RECIPE WHERE PREGLED_ID = (SELECT MAX(ID) FROM PREGLED)"),
                  static_cast<std::int64_t>(rows.size()))
            << label;
        for (std::size_t n = 0; n < rows.size(); ++n)
            expectColumns(
                "FROM FREE_RECIPE r WHERE r.PREGLED_ID = (SELECT MAX(ID) FROM PREGLED) "
                "AND (SELECT COUNT(*) FROM FREE_RECIPE q WHERE q.PREGLED_ID = "
                "r.PREGLED_ID AND q.ID < r.ID) = :N",
                rows[n], label + ", row " + std::to_string(n + 1),
                {{"N", static_cast<std::int64_t>(n)}});
    }

    struct Case {
        const char* what;
        int year;
        std::vector<std::string> drugs;
        std::vector<Expected> rows;
    };
    void check(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            importSheet(c.year, rp(c.drugs));
            expectRows(c.rows, std::string(c.what) + " (NRD " + std::to_string(c.year) + ")");
        }
    }

    std::int32_t doctor = 0;
    int sheets = 0;
};

TEST_F(PrescriptionTest, Nrd2022GroupsDrugsIntoForms) {
    check({
        {"worked example: a repeated drug goes to a second row",
         2022,
         {drug("N1", "A0001"), drug("N1", "C0042"), drug("N2", "R0103"), drug("N1", "A0001"),
          drug("N1", "X0001")},
         {{{"LEK1_KOD", "A0001"},
           {"LEK2_KOD", "C0042"},
           {"LEK3_KOD", "X0001"},
           {"ALLOCATION_ID", "1"}},
          {{"LEK1_KOD", "A0001"}, {"LEK2_KOD", "NULL"}, {"ALLOCATION_ID", "2"}},
          {{"LEK1_KOD", "R0103"}, {"ALLOCATION_ID", "0"}}}},
        {"two drugs on paper form 123",
         2022,
         {drug("123", "A0001"), drug("123", "C0042")},
         {{{"FORM_NUMBER", "123"},
           {"NZIS_NRN", ""},
           {"ALLOCATION_ID", "0"},
           {"LEK1_KOD", "A0001"},
           {"LEK2_KOD", "C0042"},
           {"LEK3_KOD", "NULL"},
           {"LEK3_BROPAKOVKI", "NULL"},
           {"LEK3_MKB", "NULL"},
           {"LEK3_OSTATUK", "NULL"},
           {"LEK3_ID", "NULL"},
           {"CAST(DATA AS VARCHAR(10))", "2023-04-07"}}}},
        {"the same drug twice on an e-prescription",
         2022,
         {drug(kNrn, "A0001"), drug(kNrn, "A0001")},
         {{{"ALLOCATION_ID", "1"}, {"NZIS_NRN", kNrn.c_str()}, {"FORM_NUMBER", "0"}},
          {{"ALLOCATION_ID", "2"}, {"NZIS_NRN", kNrn.c_str()}, {"FORM_NUMBER", "0"}}}},
        {"four drugs on one prescription",
         2022,
         {drug(kNrn, "A0001"), drug(kNrn, "C0042"), drug(kNrn, "R0103"), drug(kNrn, "X0001")},
         {{{"LEK1_KOD", "A0001"}, {"LEK3_KOD", "R0103"}, {"ALLOCATION_ID", "1"}},
          {{"LEK1_KOD", "X0001"}, {"LEK2_KOD", "NULL"}, {"ALLOCATION_ID", "1"}}}},
        {"two e-prescriptions interleaved",
         2022,
         {drug(kOtherNrn, "A0001"), drug(kNrn, "C0042"), drug(kOtherNrn, "R0103")},
         {{{"NZIS_NRN", kOtherNrn.c_str()},
           {"LEK1_KOD", "A0001"},
           {"LEK2_KOD", "R0103"},
           {"FORM_NUMBER", "0"}},
          {{"NZIS_NRN", kNrn.c_str()}, {"LEK1_KOD", "C0042"}, {"FORM_NUMBER", "0"}}}},
        {"a code inside an earlier code counts as repeated",
         2022,
         {drug("9", "A0001"), drug("9", "A00")},
         {{{"LEK1_KOD", "A0001"}, {"LEK2_KOD", "A00"}, {"ALLOCATION_ID", "1"}}}},
        {"WT001 is stored and priced as WF101",
         2022,
         {drug("5", "WT001", 5)},
         {{{"LEK1_KOD", "WF101"}, {"LEK1_ID", "10"}, {"LEK1_BROPAKOVKI", "  2.5"}}}},
    });
}

TEST_F(PrescriptionTest, Nrd2022DrugValues) {
    check({
        {"30 units of a drug packed by 30, the newest catalogue entry",
         2022,
         {drug("1", "A0001")},
         {{{"LEK1_BROPAKOVKI", "  1.0"},
           {"LEK1_ID", "2"},
           {"LEK1_MKB", "E11.9"},
           {"LEK1_OSTATUK", "28"},
           {"FINANCING_SOURCE", "2"}}}},
        {"no catalogue entry",
         2022,
         {drug("1", "X0001")},
         {{{"LEK1_BROPAKOVKI", "30"}, {"LEK1_ID", "NULL"}}}},
        {"a quote in the code is data",
         2022,
         {drug("1", "O'1")},
         {{{"LEK1_KOD", "O'1"}, {"LEK1_ID", "NULL"}}}},
        {"11 characters are a form number",
         2022,
         {drug("00000000077", "A0001")},
         {{{"FORM_NUMBER", "77"}, {"NZIS_NRN", ""}}}},
        {"13 characters that are no 32-bit number",
         2022,
         {drug("1234567890123", "A0001")},
         {{{"FORM_NUMBER", "0"}, {"NZIS_NRN", ""}}}},
        {"the row's last drug decides the financing source",
         2022,
         {drug("1", "A0001", 30, "<financingSource>4</financingSource>"),
          drug("1", "C0042", 30, "<financingSource>0</financingSource>")},
         {{{"FINANCING_SOURCE", "2"}}}},
        {"financing source given",
         2022,
         {drug("1", "A0001", 30, "<financingSource>4</financingSource>")},
         {{{"FINANCING_SOURCE", "4"}}}},
    });
}

TEST_F(PrescriptionTest, EarlierVersions) {
    check({
        {"no prescriptions kept", 2005, {drug("1", "A0001")}, {}},
        {"one row per drug",
         2006,
         {drug("1", "A0001"), drug("1", "C0042")},
         {{{"LEK1_KOD", "A0001"},
           {"LEK1_BROPAKOVKI", "30"},
           {"LEK1_MKB", "NULL"},
           {"FORM_NUMBER", "NULL"},
           {"CAST(DATA AS VARCHAR(10))", "2023-04-07"}},
          {{"LEK1_KOD", "C0042"}, {"LEK2_KOD", "NULL"}}}},
        {"the sheet's main diagnosis", 2008, {drug("1", "A0001")}, {{{"LEK1_MKB", "I10"}}}},
        {"a form of four drugs, effective entries only",
         2009,
         {drug("123", "A0001", 60), drug("123", "X0001"), drug("123", "Z0000"),
          drug("123", "C0042", 15)},
         {{{"FORM_NUMBER", "123"},
           {"LEK1_BROPAKOVKI", "  2.0"},
           {"LEK2_BROPAKOVKI", "0"},
           {"LEK3_BROPAKOVKI", "0"},
           {"LEK1_MKB", "E11.9"},
           {"LEK3_OSTATUK", "28"},
           {"ALLOCATION_ID", "0"},
           {"NZIS_NRN", "NULL"},
           {"LEK1_ID", "NULL"}},
          {{"FORM_NUMBER", "123"}, {"LEK1_KOD", "C0042"}, {"LEK1_BROPAKOVKI", "  0.5"}}}},
        {"forms in file order",
         2015,
         {drug("5", "A0001"), drug("6", "C0042"), drug("5", "R0103")},
         {{{"FORM_NUMBER", "5"}, {"LEK1_KOD", "A0001"}, {"LEK2_KOD", "NULL"}},
          {{"FORM_NUMBER", "6"}},
          {{"FORM_NUMBER", "5"}, {"LEK1_KOD", "R0103"}}}},
        {"same drug twice in a row",
         2018,
         {drug("7", "A0001"), drug("7", "A0001")},
         {{{"LEK1_KOD", "A0001"}, {"LEK2_KOD", "A0001"}}}},
        // Packages travel as a floating-point number; the database writes its own text of it.
        {"prescriptions and codes in descending order",
         2021,
         {drug(kNrn, "A0001", 60), drug("77", "C0042"), drug(kNrn, "C0042", 15),
          drug(kNrn, "A0001", 60)},
         {{{"FORM_NUMBER", "77"},
           {"NZIS_NRN", ""},
           {"ALLOCATION_ID", "0"},
           {"LEK1_KOD", "C0042"},
           {"LEK1_ID", "3"}},
          {{"NZIS_NRN", kNrn.c_str()},
           {"FORM_NUMBER", "0"},
           {"ALLOCATION_ID", "2"},
           {"LEK1_KOD", "A0001"},
           {"LEK1_BROPAKOVKI", "60.000000"},
           {"LEK1_OSTATUK", "28"}},
          {{"ALLOCATION_ID", "1"}, {"LEK1_KOD", "A0001"}, {"LEK1_ID", "2"}},
          {{"ALLOCATION_ID", "0"},
           {"LEK1_KOD", "C0042"},
           {"LEK1_BROPAKOVKI", "0.5000000"},
           {"FINANCING_SOURCE", "NULL"}}}},
        {"a form of four drugs by code, descending",
         2021,
         {drug("8", "A0001"), drug("8", "R0103"), drug("8", "C0042"), drug("8", "X0001")},
         {{{"LEK1_KOD", "X0001"},
           {"LEK2_KOD", "R0103"},
           {"LEK3_KOD", "C0042"},
           {"LEK1_BROPAKOVKI", "0.0000000"},
           {"LEK1_ID", "NULL"},
           {"LEK2_ID", "4"}},
          {{"LEK1_KOD", "A0001"}, {"ALLOCATION_ID", "0"}}}},
    });
}

TEST_F(PrescriptionTest, NothingWithoutDrugs) {
    for (const char* docs :
         {"", "<Docs><Rp></Rp></Docs>", "<Docs><Rp><RpBook>1</RpBook></Rp></Docs>"})
        for (int year : {2018, 2021, 2022})
            EXPECT_EQ(importSheet(year, docs), 0) << year << ": " << docs;
}

// A row that repeats one of the sheet's forms is logged and passed over.
TEST_F(PrescriptionTest, RepeatedFormIsLoggedOnce) {
    const struct {
        int year;
        std::vector<std::string> drugs;
        std::int64_t rows;
        std::ptrdiff_t duplicates;
    } cases[] = {
        {2015, {drug("5", "A0001"), drug("6", "C0042"), drug("5", "A0001")}, 2, 1},
        {2022, {drug("abc", "A0001"), drug("xyz", "A0001")}, 1, 1},
        // No form number: the same drug again on the sheet is a repeat, another drug is not.
        {2006, {drug("1", "A0001"), drug("1", "C0042"), drug("1", "A0001")}, 2, 1},
    };
    for (const auto& c : cases) {
        log.clear();
        EXPECT_EQ(importSheet(c.year, rp(c.drugs)), c.rows) << c.year;
        const std::string line =
            "Тази рецепта вече съществува в базата!, АЛ = " + std::to_string(sheets);
        EXPECT_EQ(std::count(log.begin(), log.end(), line), c.duplicates) << c.year;
    }
}

TEST_F(PrescriptionTest, SecondImportWritesNoRow) {
    SheetInput sheet;
    sheet.extra = rp({drug("5", "A0001"), drug("5", "A0001"), drug("6", "C0042")});
    for (int year : {2009, 2021, 2022}) {
        run(year, withSheets({sheet}), under(doctor));
        const std::int64_t rows = count("FREE_RECIPE");
        run(year, withSheets({sheet}), under(doctor));
        EXPECT_EQ(count("FREE_RECIPE"), rows) << year;
        sheet.noAl += "1";
    }
}

}  // namespace
}  // namespace kalvex::engine
