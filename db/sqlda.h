#pragma once

#include <ibase.h>

#include <cstdlib>
#include <memory>

namespace kalvex::db {

struct SqldaDeleter {
    void operator()(XSQLDA* sqlda) const { std::free(sqlda); }
};
using SqldaPtr = std::unique_ptr<XSQLDA, SqldaDeleter>;

// An empty descriptor area with room for `count` variables.
SqldaPtr allocateSqlda(short count);

// Describes the input (`input` true) or output variables of a prepared statement,
// growing the area when the statement has more variables than it holds.
void describe(isc_stmt_handle* statement, SqldaPtr& sqlda, bool input);

}  // namespace kalvex::db
