#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/run/import_counts.h"

// What a run has done as the database holds it. A sheet's counts join the run's when
// its savepoint is released (a rolled-back sheet adds only its failure), and become
// durable with the next commit: a commit that fails takes the counts since the last
// one with it.
namespace kalvex::engine {

// One e-report doctor's part of a run that imports every doctor of its files, under
// the database doctor of his UIN: the same counts as the run's, for his sheets only.
struct DoctorShare {
    std::string uin;
    std::string name;                  // as the e-report writes it
    std::int32_t databaseDoctorId = 0;  // 0: the database has no doctor for him
    ImportCounts counts;
};

class RunLedger {
  public:
    // Everything the run's transaction holds or has committed.
    const ImportCounts& counts() const { return total_.counts; }
    // Written rows that a failed commit lost, by kind (their `written`); none so far.
    const ImportCounts& lost() const { return total_.lost; }
    // Each e-report doctor's part, in the order met; empty unless the run began doctors.
    std::vector<DoctorShare> doctorShares() const;

    // Work the transaction now holds: a released sheet, or what was done between sheets,
    // with the journal lines of the rows it wrote and changed.
    void join(const ImportCounts& work, std::vector<std::string> journal = {});
    // The journal lines joined since they were last taken, for the journal to write
    // before the next commit.
    std::vector<std::string> takeJournal() { return std::exchange(unjournaled_, {}); }

    // KALVEX_RUN.ID of the run's journal; 0 while the run keeps none (a dry run).
    std::int32_t journalRun = 0;
    // DOCTOR.ID of each database doctor the run's files went to, in the order met.
    std::vector<std::int32_t> doctors;
    // The database doctor the work from now on goes to; the e-report doctor begun last,
    // if any, is his.
    void doctorOfFile(std::int32_t id);
    // From now on the work is also the part of the e-report doctor of `uin`: his share
    // of an earlier file goes on, or a new one begins.
    void beginDoctor(const std::string& uin, const std::string& name);
    // A row of `kind` rolled back by the error that stopped the run.
    void fail(RowKind kind);
    void stoppedAt(std::string sheet) { total_.counts.stoppedSheet = std::move(sheet); }
    // The transaction has committed: everything joined so far is durable.
    void committed();
    // The transaction has lost what it held since its last commit: those written rows
    // move to `failed` and to lost().
    void loseUncommitted();

  private:
    // Counts as the transaction holds them, with the part of them already committed.
    struct Tally {
        ImportCounts counts;
        ImportCounts committed;
        ImportCounts lost;
        void loseUncommitted();
    };
    // A doctor's part; its counts are its tally's.
    struct Share {
        std::string uin;
        std::string name;
        std::int32_t databaseDoctorId = 0;
        Tally tally;
    };
    // The tallies the work under way counts in: the run's, and its doctor's.
    template <class F>
    void forEachTally(F f) {
        f(total_);
        if (current_)
            f(shares_[*current_].tally);
    }

    Tally total_;
    std::vector<Share> shares_;
    std::optional<std::size_t> current_;
    std::vector<std::string> unjournaled_;
};

}  // namespace kalvex::engine
