#pragma once

#include <string>

#include "import/stopwatch.h"

// The floor the import is measured against: the same number of patient and
// examination rows written by one prepared insert per table on the bare client
// library, in one transaction, with no look-ups and nothing read from an e-report.
namespace kalvex::bench {

// The time from the first insert to the end of the commit.
Stopwatch::Reading bareInsertLoop(const std::string& database, int patients, int examinations);

}  // namespace kalvex::bench
