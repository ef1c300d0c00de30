#pragma once

#include <ibase.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"

namespace kalvex::db {

// What a database failure says about the import, decided once from the codes of the
// client's status vector. Only `rowData` concerns the row being written; every other
// kind is a fault of the database, its disk, its connection or another program, and
// stops the run whatever the row.
enum class FailureKind {
    rowData,         // a value the database refuses: too long, no number, out of range, a rule
    diskFull,        // the disk under the database has no room left
    io,              // a page of the database file that cannot be read or written
    conflict,        // another transaction holds the row or its key
    connectionLost,  // the connection or the engine is gone
    missingObject,   // a table, column or generator the statement names is not there
    permission,      // the login may not change this, or the database is read-only
    other,           // anything else the database reports
};

// A failure reported by the Firebird client. what() is the client's whole message,
// every status line as fb_interpret formats it, joined by newlines.
class DatabaseError : public Error {
  public:
    DatabaseError(const std::string& message, long sqlCode, FailureKind kind,
                  ISC_STATUS errorCode = 0)
        : Error(message), sqlCode_(sqlCode), errorCode_(errorCode), kind_(kind) {}
    // The failure of a client call, classified by its codes.
    static DatabaseError fromStatus(const ISC_STATUS* status);

    // The SQLCODE of the failure (for example -803 for a duplicate key); 0 when the
    // failure did not come from the client.
    long sqlCode() const { return sqlCode_; }
    // Firebird's own code of the failure (status[1], for example isc_io_error).
    ISC_STATUS errorCode() const { return errorCode_; }
    FailureKind kind() const { return kind_; }

  private:
    long sqlCode_;
    ISC_STATUS errorCode_;
    FailureKind kind_;
};

// A text value longer than the column it is bound to, refused before the statement
// runs: the row's own data.
class ValueTooLong : public DatabaseError {
  public:
    // `column` as TABLE.COLUMN where the statement tells it, else the parameter's name.
    ValueTooLong(std::string_view value, std::string_view column, int length);
};

// The kind of failure that a list of Firebird codes (every isc_arg_gds code of a
// status vector, in order) and the system's error number (isc_arg_unix, 0 when none)
// describe.
FailureKind classify(const std::vector<ISC_STATUS>& codes, ISC_STATUS systemError);

// The plain first line that names the cause for the user; empty for a row's own data,
// which the message of the failure already describes.
std::string_view causeLine(FailureKind kind);

// The text a user is shown when `error` stops a run: for a database failure the cause
// in plain words, then the database's own text; for anything else its own text.
std::string failureText(const std::exception& error);

// The phrase by which a row already in the database is recognised.
inline constexpr std::string_view kDuplicateKeyPhrase =
    "violation of PRIMARY or UNIQUE KEY constraint";

// True when the message says that the key of the row is in the database already. A
// duplicate key tells by itself only that some transaction holds the key: where the
// look-up afterwards finds no row, another program's uncommitted row holds it.
bool isDuplicateKey(std::string_view message);

// The same failure told as another program's row holding the key (a duplicate key whose
// row this transaction cannot see).
DatabaseError heldByAnotherTransaction(const DatabaseError& duplicate);

// True when the failure concerns the row's own data: only such a failure may skip a
// document or a sheet. Anything that is not a database failure is not.
bool isRowDataError(const std::exception& error);

// True when the failure is the database's own fault (any database failure but the
// row's own data): such a failure stops the run wherever it happens, also where a
// document the e-report or the database cannot take is otherwise left out.
bool isDatabaseFault(const std::exception& error);

// Throws DatabaseError when the status vector of a client call reports a failure.
void checkStatus(const ISC_STATUS* status);

// The client's message text of a failed status vector.
std::string statusMessage(const ISC_STATUS* status);

}  // namespace kalvex::db
