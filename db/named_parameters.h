#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalvex::db {

// Statement text with its named parameters (":EGN") replaced by the positional
// markers that the client library understands.
struct PositionalSql {
    std::string sql;
    // The name of each marker in order, in upper case (names are identifiers and
    // compare without regard to case); empty for a "?" that was already positional.
    std::vector<std::string> names;
};

// Colons inside quoted text, quoted identifiers and comments are left alone; a name
// may occur more than once, each occurrence a marker of its own.
PositionalSql toPositional(std::string_view sql);

}  // namespace kalvex::db
