#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/tdm.h"

// A dry run: the whole import in the one transaction, rolled back at the end. Rolling
// back leaves the generators where the run took them (they stand outside transactions),
// so their values are taken before the run and set back after it.
namespace kalvex::db {

struct GeneratorValue {
    std::string name;
    std::int64_t value = 0;
    bool operator==(const GeneratorValue&) const = default;
};
using GeneratorValues = std::vector<GeneratorValue>;

// A name (a generator's, a column's) in statement text, where no parameter can stand:
// between double quotes, its own quotes doubled. The names come from the system tables,
// never from the user.
std::string quotedIdentifier(const std::string& name);

// The current value of every generator of the database (the system's own left out).
GeneratorValues takeGenerators(Tdm& dm);

// Rolls back the open transaction, sets every generator back to its value, commits
// that, and closes the connection: the database is as it was before the run.
void rollbackRun(Tdm& dm, const GeneratorValues& generators);

}  // namespace kalvex::db
