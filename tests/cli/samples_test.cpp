// The sample e-reports of samples/, each imported by `kalvex-import run` into a fresh
// practice database as a user would: every document kind of the version arrives, the
// Cyrillic of both encodings arrives as written, and a second import writes nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/conversions.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/committed.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/temp_dir.h"
#include "support/written_tables.h"

namespace kalvex {
namespace {

using testing::Committed;

struct Sample {
    const char* file;
    int year;
    const char* edition;
    // The first sheet's patient, as the database must hold it.
    const char* egn;
    const char* given;
    const char* family;
    // A row that only this sample's edition writes, when it has one.
    const char* editionRow = nullptr;
};
const Sample kSamples[] = {
    {"nrd2005.xml", 2005, "gp", "5403120467", "Георги", "Ангелов"},
    {"nrd2006.xml", 2006, "gp", "4807271530", "Росица", "Колева"},
    {"nrd2008.xml", 2008, "gp", "8509143263", "Борислав", "Николов"},
    {"nrd2009.xml", 2009, "gp", "9202034718", "Десислава", "Маринова"},  // windows-1251
    {"nrd2015.xml", 2015, "gp", "6306192089", "Кирил", "Вълчев"},
    {"nrd2018.xml", 2018, "gp", "4511210642", "Атанас", "Милев"},
    {"nrd2021.xml", 2021, "gp", "7708085194", "Цветелина", "Йорданова"},
    {"nrd2022-gp.xml", 2022, "gp", "5701012628", "Петър", "Костадинов"},
    {"nrd2022-s.xml", 2022, "s", "8812304451", "Елица", "Русева",
     "PREGLED WHERE SIMP_PRIMARY_AMBLIST_N = '000301' AND NAPR_TYPE_ID = 1 AND "
     "PROCEDURE1_ID = 1"},
};

std::string samplePath(const Sample& s) {
    const char* source = std::getenv("KALVEX_SOURCE_DIR");
    return std::string(source == nullptr ? "." : source) + "/samples/" + s.file;
}

// The examinations a run wrote, from its JSON summary.
const std::regex kExaminationsWritten("\"examinations\": \\{\"written\": ([1-9][0-9]*),");

// Every table an import can write, the doctor's included.
std::vector<std::int64_t> allRows(const std::string& database) {
    Committed db(database);
    std::vector<std::int64_t> rows{db.count("DOCTOR")};
    for (const testing::WrittenTable& t : testing::writtenTables())
        rows.push_back(db.count(t.table));
    return rows;
}

TEST(Samples, EveryPersonalNumberIsValid) {
    const std::regex egn("<EGN>([^<]*)</EGN>");
    for (const Sample& s : kSamples) {
        const std::string xml = testing::readBytes(samplePath(s));
        ASSERT_FALSE(xml.empty()) << s.file;
        int seen = 0;
        for (auto m = std::sregex_iterator(xml.begin(), xml.end(), egn);
             m != std::sregex_iterator(); ++m, ++seen)
            EXPECT_TRUE(common::ValidEGN((*m)[1].str())) << s.file << ": " << (*m)[1];
        // The doctor and at least two sheets' patients.
        EXPECT_GE(seen, 3) << s.file;
    }
}

TEST(Samples, EachImportsEveryDocumentKindOfItsVersionOnce) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.file);
        testing::TempDir dir;
        testing::PracticeDatabase database;
        std::string doctor = "--create-doctor";
        if (s.year < 2022) {  // only NRD 2022 can create the doctor from the e-report
            Committed db(database.path());
            db.value(
                "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES "
                "('2300010001', 1, '6405181123', 'Огнян', 'Петров', 'Илчев')");
            doctor = "--doctor " +
                     std::to_string(std::get<std::int64_t>(db.value("SELECT MAX(ID) FROM DOCTOR")));
        }
        const std::string command = "run --nrd " + std::to_string(s.year) + " --xml '" +
                                    samplePath(s) + "' --db '" + database.path() + "' --edition " +
                                    s.edition + " " + doctor + " --log '" + dir.file("kalvex.log") +
                                    "' --summary json";

        const testing::ProgramRun first = testing::runImport(command);
        ASSERT_EQ(first.exitCode, 0)
            << first.err << "\n"
            << common::fromCp1251(testing::readBytes(dir.file("kalvex.log")));
        {
            Committed db(database.path());
            for (const std::string& table : testing::tablesWrittenBy(s.year))
                EXPECT_GE(db.count(table), 1) << table;
            EXPECT_EQ(db.count("PACIENT WHERE EGN = :E AND FNAME = :G AND LNAME = :F",
                               {{"E", std::string(s.egn)},
                                {"G", std::string(s.given)},
                                {"F", std::string(s.family)}}),
                      1);
            if (s.editionRow != nullptr) {
                EXPECT_EQ(db.count(s.editionRow), 1) << s.editionRow;
            }
        }
        const std::vector<std::int64_t> written = allRows(database.path());
        std::smatch examinations;
        ASSERT_TRUE(std::regex_search(first.out, examinations, kExaminationsWritten)) << first.out;

        const testing::ProgramRun again = testing::runImport(command);
        EXPECT_EQ(again.exitCode, 0) << again.err;
        EXPECT_EQ(allRows(database.path()), written) << "the second import wrote rows";
        // The second run finds every examination in the database and writes no row.
        EXPECT_NE(again.out.find("\"examinations\": {\"written\": 0, \"existing\": " +
                                 examinations[1].str() + ","),
                  std::string::npos)
            << again.out;
        EXPECT_FALSE(std::regex_search(again.out, std::regex("\"written\": [1-9]"))) << again.out;
    }
}

}  // namespace
}  // namespace kalvex
