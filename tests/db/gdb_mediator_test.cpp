#include "db/gdb_mediator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database_test.h"
#include "db/database_error.h"

namespace kalvex::db {
namespace {

using common::Variant;

using GdbMediatorTest = DatabaseTest;

TEST_F(GdbMediatorTest, DatabaseWithoutDoctorsGivesAnEmptyList) {
    const std::vector<GdbDoctor> doctors = GDBFillDoctorNames(dm);
    EXPECT_TRUE(doctors.empty());
    EXPECT_EQ(GDBGetDoctorID(doctors, -1), 0);
}

TEST_F(GdbMediatorTest, DoctorListJoinsNamesAndKeepsIdAndUin) {
    addDoctor(dm, "Мария", "Петрова", "Иванова", "2300000001");
    addDoctor(dm, "Иван", common::Null, "Стоянов", common::Null);
    addDoctor(dm, common::Null, common::Null, common::Null, "3");
    dm.SqlToValue("DELETE FROM DOCTOR WHERE ID = 1");
    addDoctor(dm, "Петър", "Д'Арси", "Петров", "4");

    const std::vector<GdbDoctor> doctors = GDBFillDoctorNames(dm);
    ASSERT_EQ(doctors.size(), 3u);
    const struct {
        std::string text;
        std::int32_t id;
        std::string uin;
    } expected[] = {{"Иван  Стоянов", 2, ""}, {"  ", 3, "3"}, {"Петър Д'Арси Петров", 4, "4"}};
    for (std::size_t i = 0; i < doctors.size(); ++i) {
        EXPECT_EQ(doctors[i].text, expected[i].text) << i;
        EXPECT_EQ(doctors[i].id, expected[i].id) << i;
        EXPECT_EQ(doctors[i].uin, expected[i].uin) << i;
    }
    const struct {
        int selected;
        std::int32_t id;
    } selections[] = {{-1, 2}, {0, 2}, {2, 4}, {3, 2}};
    for (const auto& s : selections)
        EXPECT_EQ(GDBGetDoctorID(doctors, s.selected), s.id) << s.selected;
}

TEST_F(GdbMediatorTest, CloseCommitsForTheNextConnection) {
    addDoctor(dm, "Иван", "Петров", "Стоянов", "1");
    GDBCloseDatabase(dm);
    EXPECT_FALSE(dm.dbMain.isOpen());

    Tdm other;
    GDBOpenDatabase(other, database.path());
    EXPECT_EQ(count(other, "DOCTOR"), 1);
}

TEST_F(GdbMediatorTest, DataModuleEndingWithAnOpenConnectionCommits) {
    {
        Tdm ending;
        GDBOpenDatabase(ending, database.path());
        addDoctor(ending, "Иван", "Петров", "Стоянов", "1");
    }
    EXPECT_EQ(count(dm, "DOCTOR"), 1);
}

TEST_F(GdbMediatorTest, OpeningAgainRollsBack) {
    addDoctor(dm, "Иван", "Петров", "Стоянов", "1");
    GDBOpenDatabase(dm, database.path());
    EXPECT_TRUE(dm.traMain.isActive());
    EXPECT_EQ(count(dm, "DOCTOR"), 0);
}

TEST_F(GdbMediatorTest, OpeningAnotherDatabaseRollsBackTheFirstAndSwitches) {
    testing::PracticeDatabase second("second.fdb");
    dm.qryDoctor.setSql("INSERT INTO DOCTOR (FNAME, UIN) VALUES (:FNAME, :UIN)");
    dm.qryDoctor.setText("FNAME", "Първа");
    dm.qryDoctor.setText("UIN", "1");
    dm.qryDoctor.execute();

    GDBOpenDatabase(dm, second.path());
    EXPECT_EQ(dm.dbMain.databaseName(), second.path());
    dm.qryDoctor.clearParams();
    dm.qryDoctor.setText("FNAME", "Втора");
    dm.qryDoctor.setText("UIN", "1");
    dm.qryDoctor.execute();
    GDBCloseDatabase(dm);

    for (const auto& [path, expected] : {std::pair{database.path(), Variant{}},
                                         std::pair{second.path(), Variant{std::string("Втора")}}}) {
        Tdm reader;
        GDBOpenDatabase(reader, path);
        EXPECT_EQ(reader.SqlToValue("SELECT FNAME FROM DOCTOR"), expected) << path;
    }
}

TEST_F(GdbMediatorTest, FailedOpenCarriesTheClientsMessageAndLeavesTheModuleUsable) {
    GDBCloseDatabase(dm);
    const std::string missing = database.path() + ".missing";
    try {
        GDBOpenDatabase(dm, missing);
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "I/O error during \"open\" operation for file \"" + missing +
                      "\"\nError while trying to open file\nNo such file or directory");
    }
    EXPECT_FALSE(dm.dbMain.isOpen());
    GDBOpenDatabase(dm, database.path());
    EXPECT_EQ(count(dm, "DOCTOR"), 0);
}

}  // namespace
}  // namespace kalvex::db
