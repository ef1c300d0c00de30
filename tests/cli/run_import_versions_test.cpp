// `kalvex-import run` on a sheet of each NRD version carrying every document that
// version issues: what each version writes, as another connection reads it afterwards,
// and that the same file imported again writes nothing.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/variant.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/committed.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/report_builder.h"
#include "support/sample_documents.h"
#include "support/temp_dir.h"

namespace kalvex {
namespace {

using testing::Committed;

constexpr std::array<int, 8> kYears{2005, 2006, 2008, 2009, 2015, 2018, 2021, 2022};

// The rows each version writes, in the order of kYears.
struct TableRows {
    const char* table;
    std::array<std::int64_t, kYears.size()> rows;
};
const TableRows kTables[] = {
    {"PREGLED", {1, 1, 1, 1, 1, 1, 1, 1}},
    {"PACIENT", {1, 1, 1, 1, 1, 1, 1, 1}},
    {"EXAM_IMMUNIZATION", {3, 3, 3, 3, 3, 3, 3, 3}},
    // NRD 2005 keeps no prescription; until NRD 2008 a row per drug, then a row per form.
    {"FREE_RECIPE", {0, 2, 2, 1, 1, 1, 1, 1}},
    // A second certificate is not reachable before NRD 2009.
    {"EXAM_BOLN_LIST", {1, 1, 1, 2, 2, 2, 2, 2}},
    {"BLANKA_MED_NAPR", {2, 2, 2, 2, 2, 2, 2, 2}},
    // The national referral of NRD 2018 and 2021 goes to NZIS_MDN without its tests.
    {"BLANKA_MDN", {1, 1, 1, 1, 1, 1, 1, 2}},
    {"EXAM_ANALYSIS", {2, 2, 2, 2, 2, 2, 2, 3}},
    {"NZIS_MDN", {0, 0, 0, 0, 0, 1, 1, 0}},
    {"HOSPITALIZATION", {0, 1, 1, 1, 1, 1, 1, 1}},
    {"BLANKA_NAPR_TELK", {0, 1, 1, 1, 1, 1, 1, 1}},
    {"EXAM_LKK", {1, 1, 1, 1, 1, 1, 1, 1}},
    {"EXAM_LKK_DOCTOR", {0, 2, 2, 2, 2, 2, 2, 2}},
    {"BLANKA_MED_NAPR_3A", {1, 1, 1, 1, 1, 1, 1, 1}},
};

// A row with its key columns, expected once in the versions from..to.
struct KeyRow {
    int from;
    int to;
    const char* row;
};
const KeyRow kKeyRows[] = {
    {2005, 2022, "PREGLED WHERE AMB_LISTN = '000412'"},
    {2005, 2022, "EXAM_IMMUNIZATION WHERE IMMUNIZATION_ID = 4 AND NRN_IMMUNIZATION IS NULL"},
    {2021, 2022,
     "EXAM_IMMUNIZATION WHERE IMMUNIZATION_ID = 2 AND SERIES = 'AB123' AND "
     "NRN_IMMUNIZATION = '23049I000001'"},
    {2006, 2008, "FREE_RECIPE WHERE LEK1_KOD = 'A0001' AND LEK1_BROPAKOVKI = '60'"},
    {2009, 2018,
     "FREE_RECIPE WHERE FORM_NUMBER = 5 AND LEK1_KOD = 'A0001' AND "
     "LEK2_KOD = 'C0042'"},
    // NRD 2021 orders a form's drugs by code, descending.
    {2021, 2021,
     "FREE_RECIPE WHERE NZIS_NRN = '2304A1000001' AND LEK1_KOD = 'C0042' AND "
     "LEK2_KOD = 'A0001'"},
    {2022, 2022,
     "FREE_RECIPE WHERE NZIS_NRN = '2304A1000001' AND LEK1_KOD = 'A0001' AND "
     "LEK2_KOD = 'C0042'"},
    {2005, 2009, "EXAM_BOLN_LIST WHERE NUMBER = 123 AND EL_NUMBER IS NULL"},
    {2015, 2022, "EXAM_BOLN_LIST WHERE EL_NUMBER = '124' AND NUMBER IS NULL"},
    {2015, 2022,
     "PREGLED p WHERE EXISTS (SELECT 1 FROM EXAM_BOLN_LIST b WHERE b.ID = "
     "p.EXAM_BOLN_LIST_ID AND b.EL_NUMBER = '124')"},
    {2005, 2005,
     "BLANKA_MED_NAPR WHERE NUMBER = 18 AND SPECIALITY_ID = 5 AND "
     "MED_NAPR_TYPE_ID = 7 AND ICD_CODE = 'I10'"},
    {2006, 2008,
     "BLANKA_MED_NAPR WHERE NUMBER = 18 AND SPECIALITY_ID = 5 AND "
     "MED_NAPR_TYPE_ID = 6 AND ICD_CODE = 'I10'"},
    {2009, 2022,
     "BLANKA_MED_NAPR WHERE NUMBER = 17 AND SPECIALITY_ID = 3 AND "
     "ICD_CODE = 'I10' AND ICD_CODE_ADD = 'E11'"},
    {2022, 2022,
     "BLANKA_MED_NAPR WHERE NUMBER = 17 AND NRN = '23049C000001' AND "
     "NZIS_STATUS = 5"},
    {2005, 2008, "BLANKA_MDN WHERE NUMBER = 302 AND ICD_CODE = 'I10'"},
    {2009, 2022, "BLANKA_MDN WHERE NUMBER = 302 AND ICD_CODE = 'E11'"},
    {2018, 2021, "NZIS_MDN WHERE NRN = '23049B000001' AND MKB = 'U07.1'"},
    {2022, 2022, "BLANKA_MDN WHERE NUMBER = 2 AND NRN = '23049B000001' AND NZIS_STATUS = 3"},
    {2005, 2022,
     "EXAM_ANALYSIS a JOIN BLANKA_MDN m ON m.ID = a.BLANKA_MDN_ID WHERE "
     "m.NUMBER = 302 AND a.ANALYSIS_ID = 2"},
    {2006, 2008, "HOSPITALIZATION WHERE DIRECT_MKB_1 = 'I10' AND CLINICAL_PATH IS NULL"},
    {2009, 2015, "HOSPITALIZATION WHERE CLINICAL_PATH = '120' AND DIRECT_MKB_1_ADD = 'C77.3'"},
    {2018, 2022,
     "HOSPITALIZATION WHERE CLINICAL_PATH = '120' AND NUMBER = 17 AND "
     "DIRECT_DATE = '2023-04-05'"},
    {2006, 2022, "BLANKA_NAPR_TELK WHERE PAC_EGN = '7501020018' AND MAIN_DIAG_MKB = 'I10'"},
    {2005, 2006, "EXAM_LKK WHERE NUMBER = '15' AND LKK_TYPE_ID = 61"},
    {2008, 2022, "EXAM_LKK WHERE NUMBER = '15' AND LKK_TYPE_ID = 1"},
    {2006, 2022,
     "EXAM_LKK_DOCTOR d JOIN EXAM_LKK l ON l.ID = d.EXAM_LKK_ID WHERE "
     "d.SPECIALITY_ID = 4"},
    {2005, 2022,
     "BLANKA_MED_NAPR_3A WHERE NUMBER = '41' AND SPECIALITY_ID = 3 AND "
     "VSD_CODE = '88.72' AND IS_BOLNICHNA = 'N'"},
    {2022, 2022, "BLANKA_MED_NAPR_3A WHERE NRN = '23049C000002'"},
};

std::int32_t addDoctor(const std::string& database) {
    Committed db(database);
    db.value(
        "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES "
        "('0400000001', 1, '6101010013', 'Мария', 'Иванова', 'Петрова')");
    return static_cast<std::int32_t>(
        std::get<std::int64_t>(db.value("SELECT MAX(ID) FROM DOCTOR")));
}

std::vector<std::int64_t> tableRows(const std::string& database) {
    Committed db(database);
    std::vector<std::int64_t> rows;
    for (const TableRows& t : kTables)
        rows.push_back(db.count(t.table));
    return rows;
}

TEST(RunImportVersions, EachVersionWritesTheDocumentsOfItsSheetOnce) {
    for (std::size_t v = 0; v < kYears.size(); ++v) {
        const int year = kYears[v];
        const std::string label = "NRD " + std::to_string(year);
        testing::TempDir dir;
        testing::PracticeDatabase database;
        const std::int32_t doctor = addDoctor(database.path());

        testing::SheetInput sheet;
        sheet.extra = testing::sampleDocuments(year);
        testing::ReportInput report;
        report.doctors[0].sheets = {sheet};
        testing::dateWithin(year, report);
        const std::string file = dir.file("report.xml");
        testing::writeBytes(file, testing::reportXml(report));
        const std::string command = "run --nrd " + std::to_string(year) + " --xml '" + file +
                                    "' --db '" + database.path() + "' --log '" +
                                    dir.file("kalvex.log") + "' --doctor " + std::to_string(doctor);

        const testing::ProgramRun first = testing::runImport(command);
        ASSERT_EQ(first.exitCode, 0)
            << label << "\n"
            << first.err << "\n"
            << common::fromCp1251(testing::readBytes(dir.file("kalvex.log")));
        const std::vector<std::int64_t> written = tableRows(database.path());
        for (std::size_t t = 0; t < std::size(kTables); ++t)
            EXPECT_EQ(written[t], kTables[t].rows[v]) << label << ": " << kTables[t].table;
        {
            Committed db(database.path());
            for (const KeyRow& k : kKeyRows) {
                if (k.from <= year && year <= k.to) {
                    EXPECT_EQ(db.count(k.row), 1) << label << ": " << k.row;
                }
            }
        }

        const testing::ProgramRun again = testing::runImport(command);
        EXPECT_EQ(again.exitCode, 0) << label << ", again\n" << again.err;
        EXPECT_EQ(tableRows(database.path()), written) << label << ", again";
    }
}

}  // namespace
}  // namespace kalvex
