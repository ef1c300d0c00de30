// `kalvex-import run --dry-run` shows what a file would do and leaves the database as
// it was, generators included; the real run afterwards still writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/database_state.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace kalvex {
namespace {

struct DryRunCase {
    const char* file;
    int year;
    bool createDoctor;  // NRD 2022 takes its doctor from the e-report; older ones a given one
};
const DryRunCase kCases[] = {
    {"nrd2022-gp.xml", 2022, true},
    {"nrd2018.xml", 2018, false},
};

TEST(DryRun, ChangesNoRowNorGeneratorAndTheRealRunStillWrites) {
    for (const DryRunCase& c : kCases) {
        SCOPED_TRACE(c.file);
        testing::TempDir dir;
        testing::PracticeDatabase database;
        std::string doctor = "--create-doctor";
        if (!c.createDoctor) {
            db::Tdm dm;
            db::GDBOpenDatabase(dm, database.path());
            dm.SqlToValue(
                "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES "
                "('2300010001', 1, '6405181123', 'Огнян', 'Петров', 'Илчев')");
            doctor =
                "--doctor " +
                std::to_string(std::get<std::int64_t>(dm.SqlToValue("SELECT MAX(ID) FROM DOCTOR")));
            db::GDBCloseDatabase(dm);
        }
        const char* source = std::getenv("KALVEX_SOURCE_DIR");
        const std::string command = "run --nrd " + std::to_string(c.year) + " --xml '" +
                                    std::string(source == nullptr ? "." : source) + "/samples/" +
                                    c.file + "' --db '" + database.path() + "' " + doctor +
                                    " --log '" + dir.file("kalvex.log") + "'";
        const testing::DatabaseState before = testing::databaseState(database.path());

        const testing::ProgramRun dry = testing::runImport(command + " --dry-run");
        EXPECT_EQ(dry.exitCode, 0) << dry.err;
        EXPECT_NE(dry.err.find("Пробен импорт — нищо не е записано в базата."), std::string::npos)
            << dry.err;
        EXPECT_TRUE(testing::databaseState(database.path()) == before);

        const testing::ProgramRun real = testing::runImport(command);
        ASSERT_EQ(real.exitCode, 0) << real.err;
        EXPECT_EQ(real.err.find("Пробен импорт"), std::string::npos);
        // The dry run told what the real run then did.
        EXPECT_FALSE(dry.out.empty());
        EXPECT_EQ(dry.out, real.out);
        const testing::DatabaseState after = testing::databaseState(database.path());
        EXPECT_FALSE(after.rows == before.rows);
        // The real run draws numbers: the dry run had generators to set back.
        EXPECT_FALSE(after.generators == before.generators);
    }
}

}  // namespace
}  // namespace kalvex
