#pragma once

#include <iosfwd>

namespace kalvex::cli {

// `kalvex-import run ...`: imports an e-report, or every e-report of a folder, into a
// practice database as the wizard would, and commits at the end. `argv` holds the
// words after the sub-command. Returns the exit code: 0 the run completed, 1 it
// stopped on an error (what was written before it is committed), 2 bad usage, an
// e-report that cannot be loaded or a database that cannot be opened. After a run,
// stopped or not, `out` gets the summary of what it did (a table, or JSON with
// --summary json). `--dry-run` rolls everything back instead, generators included.
int runImport(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace kalvex::cli
