#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/import_counts.h"

// What a run has done as the database holds it. A sheet's counts join the run's when
// its savepoint is released (a rolled-back sheet adds only its failure), and become
// durable with the next commit: a commit that fails takes the counts since the last
// one with it.
namespace kalvex::engine {

class RunLedger {
  public:
    // Everything the run's transaction holds or has committed.
    const ImportCounts& counts() const { return counts_; }
    // Written rows that a failed commit lost, by kind (their `written`); none so far.
    const ImportCounts& lost() const { return lost_; }

    // Work the transaction now holds: a released sheet, or what was done between sheets,
    // with the journal lines of the rows it wrote and changed.
    void join(const ImportCounts& work, std::vector<std::string> journal = {}) {
        counts_ += work;
        for (std::string& line : journal)
            unjournaled_.push_back(std::move(line));
    }
    // The journal lines joined since they were last taken, for the journal to write
    // before the next commit.
    std::vector<std::string> takeJournal() { return std::exchange(unjournaled_, {}); }

    // KALVEX_RUN.ID of the run's journal; 0 while the run keeps none (a dry run).
    std::int32_t journalRun = 0;
    // DOCTOR.ID of each database doctor the run's files went to, in the order met.
    std::vector<std::int32_t> doctors;
    void doctorOfFile(std::int32_t id) {
        if (std::find(doctors.begin(), doctors.end(), id) == doctors.end())
            doctors.push_back(id);
    }
    // A row of `kind` rolled back by the error that stopped the run.
    void fail(RowKind kind) { ++counts_[kind].failed; }
    void stoppedAt(std::string sheet) { counts_.stoppedSheet = std::move(sheet); }
    // The transaction has committed: everything joined so far is durable.
    void committed() { committed_ = counts_; }
    // The transaction has lost what it held since its last commit: those written rows
    // move to `failed` and to lost().
    void loseUncommitted();

  private:
    ImportCounts counts_;
    ImportCounts committed_;
    ImportCounts lost_;
    std::vector<std::string> unjournaled_;
};

}  // namespace kalvex::engine
