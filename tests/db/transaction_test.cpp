#include "db/transaction.h"

#include <gtest/gtest.h>

#include <string>

#include "database_test.h"
#include "db/database_error.h"

namespace kalvex::db {
namespace {

using TransactionTest = DatabaseTest;

TEST_F(TransactionTest, LockConflictFailsAtOnceWithTheClientsMessage) {
    addDoctor(dm, "Иван", "Петров", "Стоянов", "1");
    dm.traMain.commitRetaining();
    dm.SqlToValue("UPDATE DOCTOR SET FNAME = :F WHERE UIN = '1'", {{"F", "Иво"}});

    Tdm other;
    GDBOpenDatabase(other, database.path());
    try {
        other.SqlToValue("UPDATE DOCTOR SET FNAME = :F WHERE UIN = '1'", {{"F", "Ива"}});
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        const std::string message = e.what();
        const std::string expected =
            "deadlock\nupdate conflicts with concurrent update\nconcurrent transaction number is ";
        EXPECT_EQ(message.substr(0, expected.size()), expected) << message;
    }
}

TEST_F(TransactionTest, CommitRetainingMakesWorkVisibleAndKeepsTheTransaction) {
    addDoctor(dm, "Иван", "Петров", "Стоянов", "1");
    dm.traMain.commitRetaining();
    EXPECT_TRUE(dm.traMain.isActive());
    addDoctor(dm, "Мария", "Петрова", "Стоянова", "2");

    Tdm other;
    GDBOpenDatabase(other, database.path());
    EXPECT_EQ(count(other, "DOCTOR"), 1);
    dm.traMain.commit();
    EXPECT_FALSE(dm.traMain.isActive());
    EXPECT_EQ(count(other, "DOCTOR"), 2);  // read committed sees the later commit
}

TEST_F(TransactionTest, EndedTransactionRefusesWork) {
    dm.traMain.rollback();
    dm.qryDoctor.setSql("INSERT INTO DOCTOR (UIN) VALUES (:UIN)");
    EXPECT_THROW(dm.qryDoctor.execute(), Error);
    EXPECT_THROW(dm.traMain.commit(), Error);
}

}  // namespace
}  // namespace kalvex::db
