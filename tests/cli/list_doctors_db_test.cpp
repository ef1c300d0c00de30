#include <gtest/gtest.h>

#include <string>

#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/practice_database.h"
#include "support/program_run.h"

namespace kalvex {
namespace {

using testing::ProgramRun;
using testing::runImport;

TEST(ListDoctorsDb, PrintsOneLinePerDoctorOrderedById) {
    testing::PracticeDatabase database;
    {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database.path());
        const char* insert =
            "INSERT INTO DOCTOR (ID, FNAME, SNAME, LNAME, UIN) VALUES (:ID, :F, :S, :L, :U)";
        dm.SqlToValue(insert, {{"ID", std::int64_t{7}},
                               {"F", "Иван"},
                               {"S", common::Null},
                               {"L", "Стоянов"},
                               {"U", "2300000007"}});
        dm.SqlToValue(insert, {{"ID", std::int64_t{3}},
                               {"F", "Мария"},
                               {"S", "Петрова"},
                               {"L", "Д'Арси"},
                               {"U", common::Null}});
        db::GDBCloseDatabase(dm);
    }
    const ProgramRun run = runImport("list-doctors --db '" + database.path() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "3\t\tМария Петрова Д'Арси\n7\t2300000007\tИван  Стоянов\n");
    EXPECT_EQ(run.err, "");
}

TEST(ListDoctorsDb, OpensADatabaseUnderACyrillicNameWhateverTheLocale) {
    const testing::PracticeDatabase database("практика.fdb");
    for (const char* environment : {"LC_ALL=C", "LC_ALL=C.UTF-8", "LC_ALL= LANG="}) {
        const ProgramRun run =
            runImport("list-doctors --db '" + database.path() + "'", environment);
        EXPECT_EQ(run.exitCode, 0) << environment << ": " << run.err;
        EXPECT_EQ(run.err, "") << environment;
    }
}

TEST(ListDoctorsDb, ConnectionFailurePrintsTheClientsMessageAndExitsWith2) {
    testing::TempDir dir;
    for (const char* name : {"missing.fdb", "липсваща.fdb"}) {
        const std::string missing = dir.file(name);
        const ProgramRun run = runImport("list-doctors --db '" + missing + "'");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "I/O error during \"open\" operation for file \"" + missing +
                               "\"\nError while trying to open file\nNo such file or directory\n");
    }
}

TEST(ListDoctorsDb, IncompleteCommandShowsItsUsage) {
    const ProgramRun run = runImport("list-doctors --db");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("list-doctors --db DATABASE"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kalvex
