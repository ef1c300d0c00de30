#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/error.h"
#include "db/tdm.h"

// Taking a journaled run back: its rows deleted, children before parents, and the
// columns it changed restored, in one transaction, keeping what is no longer the run's
// alone to take.
namespace kalvex::engine {

// An undo that is not to be done: an unknown run, one already undone, writes after it.
class UndoRefused : public Error {
  public:
    explicit UndoRefused(const std::string& message, bool forcible = false)
        : Error(message), forcible_(forcible) {}
    // Whether the undo may be forced all the same (writes after the run, or an unknown end).
    bool forcible() const { return forcible_; }

  private:
    bool forcible_;
};

struct KeptRow {
    std::string table;
    std::int32_t id = 0;
    std::string reason;
};

struct UndoOutcome {
    std::int32_t run = 0;
    std::string state;  // "undone" or "partly undone"
    bool dryRun = false;
    std::map<std::string, int> deleted;  // per table
    std::vector<KeptRow> kept;
    int restored = 0;   // changed columns set back
    int leftAlone = 0;  // changed columns that hold another value by now
    std::vector<std::string> leftAloneLines;
    bool complete() const { return kept.empty() && leftAlone == 0; }
};

// Takes run `run` back in the open transaction and commits, or with `dryRun` rolls it
// all back after working it out. Throws UndoRefused for an unknown run, one already
// undone, or (unless `force`) one after which a generator of its tables has moved on.
UndoOutcome undoRun(db::Tdm& dm, std::int32_t run, bool force, bool dryRun);

// The outcome as lines for a person (and the log), and as one JSON object.
std::vector<std::string> undoLines(const UndoOutcome& outcome);
std::string undoJson(const UndoOutcome& outcome);

}  // namespace kalvex::engine
