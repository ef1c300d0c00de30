// How a database failure is classed, and the failures a statement makes of real faults.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "database_test.h"
#include "db/database_error.h"
#include "db/parameter_columns.h"

namespace kalvex::db {
namespace {

TEST(DatabaseError, ClassifiedByItsCodes) {
    const struct Case {
        const char* what;
        std::vector<ISC_STATUS> codes;
        ISC_STATUS systemError;
        FailureKind kind;
    } cases[] = {
        {"a value too long", {isc_arith_except, isc_string_truncation, isc_trunc_limits}, 0,
         FailureKind::rowData},
        {"no number", {isc_convert_error}, 0, FailureKind::rowData},
        {"a duplicate key", {isc_unique_key_violation, isc_idx_key_value}, 0,
         FailureKind::rowData},
        {"a not-null rule", {isc_not_valid_for}, 0, FailureKind::rowData},
        {"a check rule", {isc_check_constraint}, 0, FailureKind::rowData},
        {"a trigger's exception", {isc_except, isc_random}, 0, FailureKind::rowData},
        {"a full disk", {isc_io_error, isc_io_write_err}, ENOSPC, FailureKind::diskFull},
        {"a full quota", {isc_io_error, isc_io_write_err}, EDQUOT, FailureKind::diskFull},
        {"an unreadable page", {isc_io_error, isc_io_read_err}, EIO, FailureKind::io},
        {"a lock conflict", {isc_lock_conflict, isc_concurrent_transaction}, 0,
         FailureKind::conflict},
        {"an update conflict", {isc_deadlock, isc_update_conflict, isc_concurrent_transaction}, 0,
         FailureKind::conflict},
        // A key check that met a lock is the lock's, not the row's.
        {"a key held during a check", {isc_unique_key_violation, isc_lock_conflict}, 0,
         FailureKind::conflict},
        {"a lost server", {isc_network_error, isc_net_read_err}, ECONNRESET,
         FailureKind::connectionLost},
        {"a shut engine", {isc_att_shutdown}, 0, FailureKind::connectionLost},
        {"a missing table", {isc_dsql_error, isc_sqlerr, isc_dsql_relation_err, isc_random}, 0,
         FailureKind::missingObject},
        {"a missing column", {isc_dsql_error, isc_sqlerr, isc_dsql_field_err}, 0,
         FailureKind::missingObject},
        {"no permission", {isc_no_priv}, 0, FailureKind::permission},
        {"a read-only database", {isc_read_only_database}, 0, FailureKind::permission},
        {"anything else", {isc_bug_check}, 0, FailureKind::other},
        {"no code at all", {}, 0, FailureKind::other},
    };
    for (const Case& c : cases)
        EXPECT_EQ(classify(c.codes, c.systemError), c.kind) << c.what;
}

TEST(DatabaseError, TextForTheUserNamesTheCauseFirst) {
    const DatabaseError full("I/O error during \"write\"", -902, FailureKind::diskFull);
    EXPECT_EQ(failureText(full),
              "Дискът е пълен: базата на Salvix не може да запише повече данни. Освободете "
              "място на диска и пуснете импорта отново.\nI/O error during \"write\"");
    // A row's own data and anything that is no database failure tell themselves.
    EXPECT_EQ(failureText(ValueTooLong("Ян", "PACIENT.FNAME", 1)),
              "Стойността „Ян“ е по-дълга от полето PACIENT.FNAME (1 знака)");
    EXPECT_EQ(failureText(Error("'A1' is not a valid integer value")),
              "'A1' is not a valid integer value");
    EXPECT_TRUE(isRowDataError(ValueTooLong("Ян", "PACIENT.FNAME", 1)));
    EXPECT_FALSE(isRowDataError(Error("'A1' is not a valid integer value")));
    EXPECT_FALSE(isDatabaseFault(Error("'A1' is not a valid integer value")));
    EXPECT_TRUE(isDatabaseFault(heldByAnotherTransaction(
        DatabaseError("violation of PRIMARY or UNIQUE KEY constraint", -803,
                      FailureKind::rowData))));
}

TEST(ParameterColumns, NameTheFieldOfEachMarker) {
    const struct Case {
        const char* sql;
        std::vector<std::string> columns;
    } cases[] = {
        {"INSERT INTO PACIENT (EGN, FNAME)\nVALUES (?, ?)\nRETURNING ID",
         {"PACIENT.EGN", "PACIENT.FNAME"}},
        {"insert into t (a, b, c) values (?, CAST(? AS VARCHAR(5)), 'x, ?')", {"T.A", "T.B"}},
        {"UPDATE PREGLED pr SET pr.AMB_JOURNALN = ?, REH = COALESCE(?, 1) WHERE pr.ID = ?",
         {"PREGLED.AMB_JOURNALN", "PREGLED.REH", ""}},
        {"SELECT ID FROM PACIENT WHERE EGN = ? AND PID_TYPE = ?", {"", ""}},
        {"SAVEPOINT KALVEX_SHEET", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parameterColumns(c.sql), c.columns) << c.sql;
}

// Real faults of a real database, and what each becomes.
TEST_F(DatabaseTest, ValueLongerThanItsColumnIsRefusedNamingTheColumn) {
    const std::string fits(50, 'x');  // PACIENT.FNAME holds 50
    const char* insert = "INSERT INTO PACIENT (EGN, PID_TYPE, FNAME) VALUES (:EGN, 'E', :FNAME)";
    dm.SqlToValue(insert, {{"EGN", std::string("1")}, {"FNAME", fits}});
    try {
        dm.SqlToValue(insert, {{"EGN", std::string("2")}, {"FNAME", "Я" + fits}});
        FAIL() << "no failure";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), FailureKind::rowData);
        EXPECT_EQ(std::string(e.what()),
                  "Стойността „Я" + fits + "“ е по-дълга от полето PACIENT.FNAME (50 знака)");
    }
    EXPECT_EQ(count(dm, "PACIENT"), 1);
}

TEST_F(DatabaseTest, MissingTableAndUnknownColumnAreTheDatabasesFault) {
    dm.SqlToValue("DROP TABLE EXAM_IMMUNIZATION");
    dm.traMain.commitRetaining();
    for (const char* sql :
         {"INSERT INTO EXAM_IMMUNIZATION (PREGLED_ID) VALUES (1)", "SELECT NO_SUCH FROM PACIENT"}) {
        try {
            dm.SqlToValue(sql);
            FAIL() << "no failure: " << sql;
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.kind(), FailureKind::missingObject) << sql;
            EXPECT_TRUE(isDatabaseFault(e)) << sql;
        }
    }
}

TEST_F(DatabaseTest, KeyOfAnotherTransactionsRowLooksLikeADuplicate) {
    // The client says no more than "duplicate": the caller's look-up must tell the two
    // apart (the other transaction's row is not visible to this one).
    Tdm other;
    GDBOpenDatabase(other, database.path());
    const char* insert = "INSERT INTO PACIENT (EGN, PID_TYPE) VALUES ('7', 'E')";
    other.SqlToValue(insert);
    try {
        dm.SqlToValue(insert);
        FAIL() << "no failure";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(isDuplicateKey(e.what()));
        EXPECT_EQ(count(dm, "PACIENT WHERE EGN = '7'"), 0);
    }
    other.traMain.rollback();
}

}  // namespace
}  // namespace kalvex::db
