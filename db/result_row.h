#pragma once

#include <ibase.h>

#include <optional>
#include <string>
#include <vector>

#include "common/variant.h"
#include "db/sqlda.h"

namespace kalvex::db {

// The output columns of a prepared statement and the buffers that a fetch fills.
class ResultRow {
  public:
    // Takes the statement's output columns and gives each a buffer.
    void describe(isc_stmt_handle* statement);
    int count() const { return sqlda_->sqld; }
    XSQLDA* sqlda() { return sqlda_.get(); }

    // The column's name as the statement gives it (its alias when it has one).
    std::string name(int index) const;
    // The column of the fetched row: text converted from code page 1251 to UTF-8,
    // whole numbers as integers, scaled numbers and floating point as doubles, dates,
    // times and timestamps as DateTime, a boolean as 0 or 1.
    // A blob column is not read here (it needs the transaction): see blobId.
    common::Variant value(int index) const;
    // The blob of the fetched row's column; empty when the column is no blob or null.
    std::optional<ISC_QUAD> blobId(int index) const;
    // Whether a blob column holds text (sub-type 1), which is in code page 1251.
    bool isTextBlob(int index) const { return sqlda_->sqlvar[index].sqlsubtype == 1; }

  private:
    void checkIndex(int index) const;

    SqldaPtr sqlda_ = allocateSqlda(0);
    std::vector<short> nullFlags_;
    std::vector<ISC_INT64> buffer_;  // 8-byte units keep every column aligned
};

}  // namespace kalvex::db
