// A practice database on a Firebird server, reached by the names a user types into the
// database field or --db: the whole import arrives, Cyrillic included, and the server's
// own messages reach the user.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/code_page.h"
#include "server_test.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/temp_dir.h"
#include "support/written_tables.h"

namespace kalvex {
namespace {

using testing::ProgramRun;
using testing::runImport;

using ServerImport = testing::ServerTest;

std::string samplePath(const std::string& file) {
    const char* source = std::getenv("KALVEX_SOURCE_DIR");
    return std::string(source == nullptr ? "." : source) + "/samples/" + file;
}

TEST_F(ServerImport, WholeReportArrivesThroughTheServer) {
    const struct Case {
        const char* file;
        int year;
        // The first sheet's patient as the database must hold it.
        const char* egn;
        const char* given;
        const char* family;
    } cases[] = {
        {"nrd2022-gp.xml", 2022, "5701012628", "Петър", "Костадинов"},
        {"nrd2009.xml", 2009, "9202034718", "Десислава", "Маринова"},  // windows-1251
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const testing::PracticeDatabase practice;
        const std::string name = server().databaseName(practice.path());
        std::string doctor = "--create-doctor";
        if (c.year < 2022) {  // only NRD 2022 creates the doctor from the e-report
            db::Tdm dm;
            db::GDBOpenDatabase(dm, name);
            dm.SqlToValue(
                "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES "
                "('2300010001', 1, '6405181123', 'Огнян', 'Петров', 'Илчев')");
            doctor =
                "--doctor " +
                std::to_string(std::get<std::int64_t>(dm.SqlToValue("SELECT MAX(ID) FROM DOCTOR")));
            db::GDBCloseDatabase(dm);
        }
        const testing::TempDir dir;
        const ProgramRun run = runImport("run --nrd " + std::to_string(c.year) + " --xml '" +
                                         samplePath(c.file) + "' --db '" + name + "' " + doctor +
                                         " --log '" + dir.file("kalvex.log") + "'");
        ASSERT_EQ(run.exitCode, 0)
            << run.err << "\n"
            << common::fromCp1251(testing::readBytes(dir.file("kalvex.log")));

        db::Tdm dm;
        db::GDBOpenDatabase(dm, name);
        const auto count = [&dm](const std::string& tableAndCondition, const db::Params& params) {
            return std::get<std::int64_t>(
                dm.SqlToValue("SELECT COUNT(*) FROM " + tableAndCondition, params));
        };
        for (const std::string& table : testing::tablesWrittenBy(c.year))
            EXPECT_GE(count(table, {}), 1) << table;
        EXPECT_EQ(count("PACIENT WHERE EGN = :E AND FNAME = :G AND LNAME = :F",
                        {{"E", std::string(c.egn)},
                         {"G", std::string(c.given)},
                         {"F", std::string(c.family)}}),
                  1);
        db::GDBCloseDatabase(dm);
    }
}

TEST_F(ServerImport, DatabaseNamesAUserTypesReachTheServer) {
    const testing::PracticeDatabase cyrillic("практика.fdb");
    for (const std::string& path : {databasePath(), cyrillic.path()}) {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, server().databaseName(path));
        dm.SqlToValue(
            "INSERT INTO DOCTOR (FNAME, SNAME, LNAME, UIN) VALUES ('Мария', 'Иванова', "
            "'Д''Арси', '2300000007')");
        db::GDBCloseDatabase(dm);
    }
    const std::string port = std::to_string(server().port());
    const testing::TempDir dir;
    const struct Case {
        std::string name;
        std::string environment;
        int exitCode;
        std::string out;
        std::string err;  // the start of what stderr says
    } cases[] = {
        {"localhost/" + port + ":" + databasePath(), "", 0, "1\t2300000007\tМария Иванова Д'Арси\n",
         ""},
        // The client converts the name through the locale's character set.
        {"127.0.0.1/" + port + ":" + cyrillic.path(), "LC_ALL=C", 0,
         "1\t2300000007\tМария Иванова Д'Арси\n", ""},
        {"inet://localhost:" + port + "/" + databasePath(), "", 0,
         "1\t2300000007\tМария Иванова Д'Арси\n", ""},
        {"localhost/" + port + ":" + dir.file("липсваща.fdb"), "LC_ALL=C", 2, "",
         "I/O error during \"open\" operation for file \"" + dir.file("липсваща.fdb") +
             "\"\nError while trying to open file\nNo such file or directory\n"},
        // Nothing listens on port 1.
        {"localhost/1:" + databasePath(), "", 2, "",
         "Unable to complete network request to host \"localhost\".\n"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runImport("list-doctors --db '" + c.name + "'", c.environment);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << "\n" << run.err;
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << c.name;
    }
}

}  // namespace
}  // namespace kalvex
