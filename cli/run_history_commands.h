#pragma once

#include <iosfwd>

namespace kalvex::cli {

// `kalvex-import runs --db DATABASE [--json]`: the journaled runs, oldest first. `argv`
// holds the words after the sub-command. 0, or 2 for bad usage or a database that
// cannot be opened.
int listRuns(int argc, char** argv, std::ostream& out, std::ostream& err);

// `kalvex-import undo --db DATABASE RUN [--dry-run] [--force] [--summary table|json]
// [--log FILE]`: takes run RUN back. 0 everything taken back, 1 done with rows kept,
// 2 bad usage, an unknown run, one already undone, writes after it without --force, or
// a database that cannot be opened.
int undoImport(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace kalvex::cli
