#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "database_test.h"
#include "db/database_error.h"
#include "db/egn_duplicate.h"

namespace kalvex::db {
namespace {

using common::Variant;

using QueryHelpersTest = DatabaseTest;

TEST_F(QueryHelpersTest, NoRowAndNullColumnGiveNullAndFalse) {
    addDoctor(dm, "Иван", common::Null, "Стоянов", "1");
    for (const char* sql :
         {"SELECT ID FROM DOCTOR WHERE UIN = '2'", "SELECT SNAME FROM DOCTOR WHERE UIN = '1'"}) {
        EXPECT_TRUE(common::isNull(dm.SqlToValue(sql))) << sql;
        std::int32_t number = -1;
        EXPECT_FALSE(dm.ReadSqlValue(sql, number)) << sql;
        EXPECT_EQ(number, 0) << sql;
        std::string text = "x";
        EXPECT_FALSE(dm.ReadSqlValue(sql, text)) << sql;
        EXPECT_EQ(text, "") << sql;
    }
}

TEST_F(QueryHelpersTest, InsertGivesNullAndItsRowIsSeenInTheSameTransaction) {
    EXPECT_TRUE(common::isNull(dm.SqlToValue("INSERT INTO DOCTOR (FNAME, UIN) VALUES (:F, :U)",
                                             {{"F", "Петър"}, {"U", "1"}})));
    std::string name;
    EXPECT_TRUE(dm.ReadSqlValue("SELECT FNAME FROM DOCTOR WHERE UIN = :U", name, {{"U", "1"}}));
    EXPECT_EQ(name, "Петър");
    std::int32_t id = 0;
    EXPECT_TRUE(dm.ReadSqlValue("SELECT ID FROM DOCTOR WHERE UIN = :U", id, {{"U", "1"}}));
    EXPECT_EQ(id, 1);
}

TEST_F(QueryHelpersTest, ApostropheIsDataNotSyntax) {
    addDoctor(dm, "Шон", "О'Нийл", "Д'Арси", "O'1");
    std::int32_t id = 0;
    EXPECT_TRUE(dm.ReadSqlValue("SELECT ID FROM DOCTOR WHERE SNAME = :S AND UIN = :U", id,
                                {{"S", "О'Нийл"}, {"U", "O'1"}}));
    EXPECT_EQ(id, 1);
    EXPECT_FALSE(EGNIsDuplicate(dm, "' OR ''='"));
}

TEST_F(QueryHelpersTest, CyrillicTravelsAsOneByteACharacterBothWays) {
    // The reference rows were written by another client (isql) in code page 1251.
    std::int32_t id = 0;
    EXPECT_TRUE(dm.ReadSqlValue("SELECT ID FROM SPECIALITY WHERE NAME = :N", id,
                                {{"N", "Акушерство и гинекология"}}));
    EXPECT_EQ(id, 2);
    EXPECT_EQ(dm.SqlToValue("SELECT OCTET_LENGTH(NAME) FROM SPECIALITY WHERE ID = 2"),
              Variant{std::int64_t{24}});
    addDoctor(dm, "Щерю", "Ъгълов", "Юриев-Ёлчев", "1");
    EXPECT_EQ(dm.SqlToValue("SELECT OCTET_LENGTH(FNAME || SNAME) FROM DOCTOR"),
              Variant{std::int64_t{10}});
    std::string text;
    EXPECT_TRUE(dm.ReadSqlValue("SELECT LNAME FROM DOCTOR WHERE UIN = '1'", text));
    EXPECT_EQ(text, "Юриев-Ёлчев");
}

TEST_F(QueryHelpersTest, TextAndNumberFormsConvertTheValue) {
    std::string text;
    EXPECT_TRUE(dm.ReadSqlValue("SELECT ID FROM SPECIALITY WHERE CODE = :C", text, {{"C", "14"}}));
    EXPECT_EQ(text, "5");
    std::int32_t number = 0;
    EXPECT_TRUE(dm.ReadSqlValue("SELECT CODE FROM SPECIALITY WHERE ID = 63", number));
    EXPECT_EQ(number, 64);
    EXPECT_THROW(dm.ReadSqlValue("SELECT NAME FROM SPECIALITY WHERE ID = 63", number), Error);
}

TEST_F(QueryHelpersTest, NumberFormRoundsAndRefusesWhatA32BitIntegerCannotHold) {
    const struct {
        const char* type;
        Variant value;
        std::int32_t number;   // when it fits
        const char* overflow;  // the message otherwise
    } cases[] = {
        {"DOUBLE PRECISION", 2.4, 2, nullptr},
        {"DOUBLE PRECISION", -2.6, -3, nullptr},
        {"DOUBLE PRECISION", 2147483647.0, 2147483647, nullptr},
        {"DOUBLE PRECISION", 2147483648.0, 0, "Integer overflow: 2147483648"},
        {"DOUBLE PRECISION", 1e30, 0, "Integer overflow: 1e+30"},
        {"DOUBLE PRECISION", -1e30, 0, "Integer overflow: -1e+30"},
        {"BIGINT", std::int64_t{-2147483649}, 0, "Integer overflow: -2147483649"},
    };
    for (const auto& c : cases) {
        const std::string sql = std::string("SELECT CAST(:V AS ") + c.type + ") FROM RDB$DATABASE";
        std::int32_t number = 0;
        try {
            EXPECT_TRUE(dm.ReadSqlValue(sql, number, {{"V", c.value}}));
            EXPECT_EQ(c.overflow, nullptr) << sql << " gave " << number;
            EXPECT_EQ(number, c.number) << sql;
        } catch (const Error& e) {
            ASSERT_NE(c.overflow, nullptr) << e.what();
            EXPECT_EQ(std::string(e.what()), c.overflow);
        }
    }
}

TEST_F(QueryHelpersTest, ReadSqlValuesGivesTheFirstRowOrNulls) {
    const char* sql =
        "SELECT fm.COUNT_IN_PACKAGE, fm.DEVISIBLE, fm.ID FROM FREE_MEDICINE fm "
        "WHERE fm.CODE = :CODE ORDER BY fm.ID DESC";
    EXPECT_EQ(dm.ReadSqlValues(sql, {{"CODE", "A0001"}}),
              (std::vector<Variant>{std::int64_t{30}, std::int64_t{1}, std::int64_t{2}}));
    EXPECT_EQ(dm.ReadSqlValues(sql, {{"CODE", "НЯМА"}}),
              (std::vector<Variant>{common::Null, common::Null, common::Null}));
}

TEST_F(QueryHelpersTest, ResultSetWalksEveryRowAndIsReplacedByTheNextCall) {
    Statement& rows = dm.GetResultSet("SELECT CODE FROM SPECIALITY WHERE ID < :N ORDER BY ID",
                                      {{"N", std::int64_t{4}}});
    std::vector<Variant> codes;
    for (bool row = dm.hasRow(); row; row = rows.fetch())
        codes.push_back(rows.column(0));
    EXPECT_EQ(codes,
              (std::vector<Variant>{std::string("00"), std::string("01"), std::string("05")}));
    dm.GetResultSet("SELECT CODE FROM SPECIALITY WHERE ID = 5");
    ASSERT_TRUE(dm.hasRow());
    EXPECT_EQ(rows.column(0), Variant{std::string("14")});
    dm.GetResultSet("SELECT CODE FROM SPECIALITY WHERE ID = 0");
    EXPECT_FALSE(dm.hasRow());
}

TEST_F(QueryHelpersTest, SqlToValueStartsTheTransactionWhenNoneIsActive) {
    dm.traMain.commit();
    EXPECT_EQ(dm.SqlToValue("SELECT COUNT(*) FROM SPECIALITY"), Variant{std::int64_t{7}});
    EXPECT_TRUE(dm.traMain.isActive());
}

TEST_F(QueryHelpersTest, EgnIsDuplicateFindsADoctorByPersonalNumber) {
    addDoctor(dm, "Иван", "Петров", "Стоянов", "1", "0021010008");
    EXPECT_TRUE(EGNIsDuplicate(dm, "0021010008"));
    EXPECT_FALSE(EGNIsDuplicate(dm, "0021010040"));
    EXPECT_FALSE(EGNIsDuplicate(dm, ""));
}

TEST_F(QueryHelpersTest, ClearingNamedStatementsEmptiesAllFourteen) {
    for (Statement* statement : dm.namedStatements())
        statement->setSql("SELECT 1 FROM RDB$DATABASE");
    dm.qryBolnList.execute();
    dm.clearNamedStatements();
    for (Statement* statement : dm.namedStatements())
        EXPECT_TRUE(statement->sql().empty());
    EXPECT_FALSE(dm.qryBolnList.isPrepared());
}

// Each text keeps its own prepared statement between calls: taken in turn, every call
// answers with its own parameters, and one that names none finds them null, not the
// values of the call before.
TEST_F(QueryHelpersTest, TextsTakenInTurnAnswerWithTheirOwnParameters) {
    addDoctor(dm, "Иван", "Петров", "Стоянов", "1");
    addDoctor(dm, "Мария", "Иванова", "Колева", "2");
    struct Case {
        const char* sql;
        Params params;
        Variant expected;
    };
    const Case cases[] = {
        {"SELECT FNAME FROM DOCTOR WHERE UIN = :U", {{"U", "1"}}, Variant{"Иван"}},
        {"SELECT LNAME FROM DOCTOR WHERE UIN = :U", {{"U", "2"}}, Variant{"Колева"}},
        {"SELECT FNAME FROM DOCTOR WHERE UIN = :U", {{"U", "2"}}, Variant{"Мария"}},
        {"SELECT FNAME FROM DOCTOR WHERE UIN = :U", {}, common::Null},
        {"  select lname from DOCTOR where UIN = :U", {{"U", "1"}}, Variant{"Стоянов"}},
    };
    for (int round = 0; round < 3; ++round)
        for (const Case& c : cases)
            EXPECT_EQ(dm.SqlToValue(c.sql, c.params), c.expected) << c.sql << " round " << round;
}

TEST_F(QueryHelpersTest, MoreTextsThanAreKeptPreparedStillAnswerRight) {
    for (int round = 0; round < 2; ++round)
        for (std::int64_t i = 0; i < 50; ++i)
            EXPECT_EQ(dm.SqlToValue(
                          "SELECT " + std::to_string(i) + " + CAST(:N AS BIGINT) FROM RDB$DATABASE",
                          {{"N", std::int64_t{1}}}),
                      Variant{i + 1})
                << i;
}

TEST_F(QueryHelpersTest, SavepointsKeptPreparedUndoEveryTimeTheyAreUsed) {
    for (int round = 0; round < 3; ++round) {
        dm.SqlToValue("SAVEPOINT KALVEX_SHEET");
        addDoctor(dm, "Иван", common::Null, "Стоянов", std::to_string(round));
        dm.SqlToValue("ROLLBACK TO SAVEPOINT KALVEX_SHEET");
        dm.SqlToValue("RELEASE SAVEPOINT KALVEX_SHEET ONLY");
        EXPECT_EQ(count(dm, "DOCTOR"), 0) << round;
    }
    dm.SqlToValue("SAVEPOINT KALVEX_SHEET");
    addDoctor(dm, "Иван", common::Null, "Стоянов", "9");
    dm.SqlToValue("RELEASE SAVEPOINT KALVEX_SHEET ONLY");
    EXPECT_EQ(count(dm, "DOCTOR"), 1);
}

// A statement kept from the database opened before must not run on the one opened now.
TEST_F(QueryHelpersTest, KeptStatementsFollowTheDatabaseOpenedNext) {
    addDoctor(dm, "Иван", common::Null, "Стоянов", "1");
    dm.traMain.commit();
    EXPECT_EQ(count(dm, "DOCTOR"), 1);
    testing::PracticeDatabase other("other.fdb");
    GDBOpenDatabase(dm, other.path());
    EXPECT_EQ(count(dm, "DOCTOR"), 0);
    GDBOpenDatabase(dm, database.path());
    EXPECT_EQ(count(dm, "DOCTOR"), 1);
}

}  // namespace
}  // namespace kalvex::db
