#pragma once

#include <string>
#include <unordered_map>

#include "db/tdm.h"

namespace kalvex::engine {

// A row's fingerprint: one 64-bit hash over every column but the blobs, worked out by
// the database itself, so that the values an insert stored and the values read back
// later are hashed alike. An insert returns it with its new ID; taking a run back
// compares it with the row as it is then, to tell whether anyone changed the row.
class RowFingerprints {
  public:
    // The SQL expression of a row of `table` (its columns as the database lists them).
    const std::string& expression(db::Tdm& dm, const std::string& table);
    // `insertSql` followed by "RETURNING ID, <fingerprint>".
    const std::string& returning(db::Tdm& dm, const std::string& table,
                                 const std::string& insertSql);

  private:
    std::unordered_map<std::string, std::string> expressions_;
    std::unordered_map<std::string, std::string> inserts_;
    std::string missing_;
};

}  // namespace kalvex::engine
