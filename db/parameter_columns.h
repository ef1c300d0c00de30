#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalvex::db {

// The column each positional marker ("?") of a statement writes, as TABLE.COLUMN: the
// column of its place in an INSERT's column list, or of its assignment in an UPDATE's
// SET. Empty for a marker anywhere else (a condition, a select). A message about a
// value can so name the field it was meant for, which the client's description of the
// parameters does not.
std::vector<std::string> parameterColumns(std::string_view positionalSql);

}  // namespace kalvex::db
