#pragma once

#include <string>

#include "import/stopwatch.h"

// The floor the import is measured against: as many rows as the import writes, by one
// prepared insert per table on the bare client library, in one transaction, with no
// look-ups and nothing read from an e-report. The patients go to the patients' table,
// every other row (examinations and the documents issued on them) to the examinations'
// table: eight plain columns a row either way.
namespace kalvex::bench {

// The time from the first insert to the end of the commit.
Stopwatch::Reading bareInsertLoop(const std::string& database, int patients, int otherRows);

}  // namespace kalvex::bench
