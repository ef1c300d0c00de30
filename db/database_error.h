#pragma once

#include <ibase.h>

#include <string>
#include <string_view>

#include "common/error.h"

namespace kalvex::db {

// A failure reported by the Firebird client. what() is the client's whole message,
// every status line as fb_interpret formats it, joined by newlines.
class DatabaseError : public Error {
  public:
    DatabaseError(const std::string& message, long sqlCode) : Error(message), sqlCode_(sqlCode) {}
    // The SQLCODE of the failure (for example -803 for a duplicate key); 0 when the
    // failure did not come from the client.
    long sqlCode() const { return sqlCode_; }

  private:
    long sqlCode_;
};

// The phrase by which a row already in the database is recognised.
inline constexpr std::string_view kDuplicateKeyPhrase =
    "violation of PRIMARY or UNIQUE KEY constraint";

// True when the message says that the row is already in the database.
bool isDuplicateKey(std::string_view message);

// Throws DatabaseError when the status vector of a client call reports a failure.
void checkStatus(const ISC_STATUS* status);

// The client's message text of a failed status vector.
std::string statusMessage(const ISC_STATUS* status);

}  // namespace kalvex::db
