#include "db/statement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "common/date_time.h"
#include "database_test.h"
#include "db/database_error.h"

namespace kalvex::db {
namespace {

using common::DateTime;
using common::Variant;

DateTime date(int y, int m, int d) {
    return *common::tryEncodeDate(y, m, d);
}

using StatementTest = DatabaseTest;

TEST_F(StatementTest, EachValueTravelsInItsOwnType) {
    struct Case {
        const char* sqlType;
        Variant in;
        Variant out;
    };
    const DateTime moment{date(2022, 5, 31).value + common::encodeTime(14, 3, 12).value};
    const Case cases[] = {
        {"INTEGER", std::int64_t{-2147483647 - 1}, std::int64_t{-2147483647 - 1}},
        {"BIGINT", std::numeric_limits<std::int64_t>::max(),
         std::numeric_limits<std::int64_t>::max()},
        {"DOUBLE PRECISION", 2.5, 2.5},
        {"VARCHAR(30)", std::string("Иван Петров"), std::string("Иван Петров")},
        {"VARCHAR(30)", std::string("O'Neil"), std::string("O'Neil")},
        {"VARCHAR(10)", std::int64_t{412}, std::string("412")},
        {"INTEGER", std::string("000412"), std::int64_t{412}},
        {"DATE", date(2023, 4, 7), date(2023, 4, 7)},
        {"DATE", moment, date(2022, 5, 31)},
        {"TIMESTAMP", moment, moment},
        {"DATE", date(1800, 1, 1), date(1800, 1, 1)},
        {"INTEGER", common::Null, common::Null},
        {"VARCHAR(5)", std::string(), std::string()},
    };
    for (const Case& c : cases) {
        const Variant result = dm.SqlToValue(
            std::string("SELECT CAST(:V AS ") + c.sqlType + ") FROM RDB$DATABASE", {{"V", c.in}});
        EXPECT_EQ(result, c.out) << c.sqlType << " case " << (&c - cases);
    }
}

// A sheet or speciality number pasted into a look-up without quotes compares as a
// number; a bare marker beside a text column compares as text, so such a look-up
// needs the cast.
TEST_F(StatementTest, NumberMatchesATextColumnOnlyThroughACast) {
    dm.SqlToValue("INSERT INTO PREGLED (PACIENT_ID, DOCTOR_ID, AMB_LISTN) VALUES (1, 1, '000412')");
    const struct {
        const char* sql;
        Variant value;
        std::int64_t rows;
    } cases[] = {
        {"SELECT COUNT(*) FROM SPECIALITY WHERE CODE = 5", common::Null, 2},
        {"SELECT COUNT(*) FROM SPECIALITY WHERE CODE = :V", std::int64_t{5}, 0},
        {"SELECT COUNT(*) FROM SPECIALITY WHERE CODE = CAST(:V AS BIGINT)", std::int64_t{5}, 2},
        {"SELECT COUNT(*) FROM SPECIALITY WHERE CODE = CAST(:V AS BIGINT)", std::string("5"), 2},
        {"SELECT COUNT(*) FROM PREGLED WHERE AMB_LISTN = 412", common::Null, 1},
        {"SELECT COUNT(*) FROM PREGLED WHERE AMB_LISTN = :V", std::int64_t{412}, 0},
        {"SELECT COUNT(*) FROM PREGLED WHERE AMB_LISTN = CAST(:V AS BIGINT)", std::string("412"),
         1},
    };
    for (const auto& c : cases) {
        const Params params = common::isNull(c.value) ? Params{} : Params{{"V", c.value}};
        EXPECT_EQ(dm.SqlToValue(c.sql, params), Variant{c.rows}) << c.sql;
    }
}

TEST_F(StatementTest, NamedStatementStoresClearedParametersAsNull) {
    Statement& insert = dm.qryPatient;
    insert.setSql(
        "INSERT INTO PACIENT (EGN, PID_TYPE, FNAME, LNAME, BIRTH_DATE)\n"
        "VALUES (:EGN, :PID_TYPE, :FNAME, :LNAME, :BIRTH_DATE)");
    insert.clearParams();
    insert.setText("EGN", "0021010008");
    insert.setText("PID_TYPE", "E");
    insert.setText("FNAME", "Мария");
    insert.setText("LNAME", "Иванова");
    insert.setDate("BIRTH_DATE", date(1800, 1, 1));
    insert.execute();
    insert.clearParams();
    insert.setText("EGN", "0001010003");
    insert.setText("PID_TYPE", "E");
    insert.execute();

    const auto first = dm.ReadSqlValues(
        "SELECT FNAME, LNAME, BIRTH_DATE FROM PACIENT WHERE EGN = :EGN", {{"EGN", "0021010008"}});
    EXPECT_EQ(first, (std::vector<Variant>{std::string("Мария"), std::string("Иванова"),
                                           date(1800, 1, 1)}));
    const auto second = dm.ReadSqlValues(
        "SELECT FNAME, LNAME, BIRTH_DATE FROM PACIENT WHERE EGN = :EGN", {{"EGN", "0001010003"}});
    EXPECT_EQ(second, (std::vector<Variant>{common::Null, common::Null, common::Null}));
}

TEST_F(StatementTest, NameOccurringTwiceIsSetEverywhere) {
    const Variant found = dm.SqlToValue(
        "SELECT COUNT(*) FROM SPECIALITY WHERE CODE = :CODE AND :code = '05'", {{"Code", "05"}});
    EXPECT_EQ(found, Variant{std::int64_t{2}});
}

TEST_F(StatementTest, UnknownParameterIsAnErrorThatNamesIt) {
    dm.qryDoctor.setSql("INSERT INTO DOCTOR (UIN) VALUES (:UIN)");
    try {
        dm.qryDoctor.setText("UNI", "1");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(":UNI"), std::string::npos) << e.what();
    }
}

TEST_F(StatementTest, NewTextDiscardsTheValuesOfTheLastRowEvenWhenItIsTheSameText) {
    Statement& insert = dm.qryDoctor;
    const std::string sql = "INSERT INTO DOCTOR (FNAME, UIN) VALUES (:FNAME, :UIN)";
    insert.setSql(sql);
    insert.setText("UIN", "2300000001");
    insert.setText("FNAME", "Петър");
    insert.execute();
    for (const std::string& next :
         {sql, std::string("INSERT INTO DOCTOR (UIN, FNAME) VALUES (:UIN, :FNAME)")}) {
        insert.setSql(next);
        insert.setText("UIN", next == sql ? "2300000002" : "2300000003");
        insert.execute();
    }
    EXPECT_EQ(count(dm, "DOCTOR WHERE FNAME IS NULL"), 2);
}

TEST_F(StatementTest, DuplicateRowFailsWithThePhraseAndTheClientsWholeMessage) {
    Statement& insert = dm.qryDoctor;
    insert.setSql("INSERT INTO DOCTOR (FNAME, UIN) VALUES (:FNAME, :UIN)");
    insert.setText("UIN", "2300000001");
    insert.setText("FNAME", "Петър");
    insert.execute();
    try {
        insert.execute();
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(isDuplicateKey(e.what())) << e.what();
        EXPECT_EQ(e.sqlCode(), -803);
        EXPECT_EQ(std::string(e.what()),
                  "violation of PRIMARY or UNIQUE KEY constraint \"UK_DOCTOR_UIN\" on table "
                  "\"DOCTOR\"\nProblematic key value is (\"UIN\" = '2300000001', "
                  "\"SPECIALITY_ID\" = 0)");
    }
    EXPECT_EQ(count(dm, "DOCTOR"), 1);
}

TEST_F(StatementTest, CyrillicKeyValueOfADuplicateReadsAsWritten) {
    const char* insert = "INSERT INTO DOCTOR (UIN) VALUES ('Б-12')";
    dm.SqlToValue(insert);
    try {
        dm.SqlToValue(insert);
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "violation of PRIMARY or UNIQUE KEY constraint \"UK_DOCTOR_UIN\" on table "
                  "\"DOCTOR\"\nProblematic key value is (\"UIN\" = 'Б-12', "
                  "\"SPECIALITY_ID\" = 0)");
    }
}

TEST_F(StatementTest, SyntaxErrorKeepsEveryLineOfTheMessage) {
    try {
        dm.SqlToValue("SELECT * FROMM DOCTOR");
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Dynamic SQL Error\nSQL error code = -104\nToken unknown - line 1, column 10\n"
                  "FROMM");
        EXPECT_FALSE(isDuplicateKey(e.what()));
    }
}

TEST_F(StatementTest, ChangedTextIsPreparedAgainAndMisuseFails) {
    Statement& statement = dm.ibsqlTemp;
    statement.setSql("SELECT CODE FROM SPECIALITY WHERE ID = :ID");
    statement.setInt32("ID", 2);
    statement.execute();
    ASSERT_TRUE(statement.fetch());
    EXPECT_EQ(statement.column(0), Variant{std::string("01")});
    EXPECT_FALSE(statement.fetch());

    statement.setSql("SELECT NAME, CODE FROM SPECIALITY WHERE ID = :ID");
    statement.setInt32("ID", 63);
    statement.execute();
    ASSERT_TRUE(statement.fetch());
    EXPECT_EQ(statement.columnCount(), 2);
    EXPECT_EQ(statement.columnName(0), "NAME");
    EXPECT_EQ(statement.column(1), Variant{std::string("64")});

    statement.execute();
    dm.traMain.commit();
    EXPECT_THROW(statement.fetch(), Error);  // not a silent end of the rows

    statement.setSql("");
    EXPECT_THROW(statement.execute(), Error);
}

TEST_F(StatementTest, ColumnOutsideTheRowIsAnError) {
    Statement& statement = dm.ibsqlTemp;
    statement.setSql("SELECT NAME, CODE FROM SPECIALITY WHERE ID = 1");
    statement.execute();
    ASSERT_TRUE(statement.fetch());
    for (const int index : {-1, 2, 1000}) {
        EXPECT_THROW(statement.column(index), Error) << index;
        EXPECT_THROW(statement.columnName(index), Error) << index;
    }
}

TEST_F(StatementTest, TextBlobIsWrittenFromTextAndReadAsText) {
    // A practice database may keep long notes in text blobs.
    dm.SqlToValue("CREATE TABLE NOTES (ID INTEGER, BODY BLOB SUB_TYPE TEXT)");
    dm.traMain.commit();
    const std::string longText = std::string(20000, 'x') + "Анамнеза";
    for (const Variant& body : {Variant{longText}, Variant{std::string()}, common::Null}) {
        dm.SqlToValue("DELETE FROM NOTES");
        dm.SqlToValue("INSERT INTO NOTES (ID, BODY) VALUES (1, :BODY)", {{"BODY", body}});
        EXPECT_EQ(dm.SqlToValue("SELECT BODY FROM NOTES"), body);
    }
}

TEST_F(StatementTest, ReturningGivesItsRowOnce) {
    Statement& insert = dm.qryDoctor;
    insert.setSql("INSERT INTO DOCTOR (UIN) VALUES (:UIN) RETURNING ID");
    insert.setText("UIN", "1");
    insert.execute();
    ASSERT_TRUE(insert.fetch());
    EXPECT_EQ(insert.column(0), Variant{std::int64_t{1}});
    EXPECT_FALSE(insert.fetch());
}

}  // namespace
}  // namespace kalvex::db
