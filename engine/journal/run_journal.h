#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/tdm.h"
#include "engine/run/run_ledger.h"

// The journal of what each import wrote, kept in the practice database beside the rows
// it describes and committed with them: KALVEX_RUN, one row a run, and KALVEX_RUN_ROWS,
// the run's inserted rows (table, ID, fingerprint) and changed columns (old and new
// value), a batch of lines a commit.
namespace kalvex::engine {

struct JournalRun {
    std::string nrd;
    int edition = 0;
    std::vector<std::string> files;
    std::string doctors;
};

// The doctors of a run that takes each e-report doctor's by his UIN, until it ends and
// names them.
inline constexpr const char* kDoctorsByUin = "по УИН";

// Creates the journal's tables and generators where the database has none yet, in a
// transaction of its own, committed at once.
void ensureJournalTables(db::Tdm& dm);

// Starts the run's journal in the run's transaction: its KALVEX_RUN row, with the
// generators as they stand. The ledger journals from then on.
void beginJournal(db::Tdm& dm, RunLedger& ledger, const JournalRun& run);

// Writes the journal lines joined since the last call, before a commit.
void flushJournal(db::Tdm& dm, RunLedger& ledger);

// The run's end in its row: finished, its state, the rows it wrote, the database doctors
// it wrote under and the generators as they stand; then the last lines.
void endJournal(db::Tdm& dm, RunLedger& ledger, bool stopped);

// A column's value in a journal line: "-" for null, otherwise "=" and the text with its
// tabs, line ends and backslashes escaped.
std::string journalValueText(const common::Variant& value);

// One journal line.
std::string insertLine(const std::string& table, std::int32_t id, std::int64_t fingerprint);
std::string updateLine(const std::string& table, std::int32_t id, const std::string& column,
                       const common::Variant& before, const common::Variant& after);

}  // namespace kalvex::engine
