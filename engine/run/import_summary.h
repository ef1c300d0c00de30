#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/run/import_counts.h"
#include "engine/run/run_ledger.h"

// What a run wrote, found and passed over, told at its end: as table lines for the log,
// the wizard's last page and a terminal, and as one JSON object for a script.
namespace kalvex::engine {

// Where and why a run stopped: the e-report file, the sheet it stopped at (empty when
// the run stopped outside the sheets) and the error's text.
struct StopInfo {
    std::string file;
    std::string sheet;
    std::string reason;
    // Stopped on request (a signal), not on an error: `reason` is then not shown.
    bool interrupted = false;
    // Rows counted as written that a failed commit took with it (their `written`).
    ImportCounts lost;
    // A dry run: rolled back whole, so nothing of it was kept, stopped or not.
    bool dryRun = false;
};

// An e-report the run imported (or began to), and the NRD version it was read under.
struct ImportedFile {
    std::string file;
    std::string nrd;  // "2015"
};

// The summary's table as words and numbers: its columns, each with its head and the
// count it shows, and its kinds of row in the order told, each with its caption and
// JSON key.
struct SummaryColumn {
    const char* head;
    int RowCounts::*count;
};
struct SummaryKind {
    RowKind kind;
    const char* caption;
    const char* key;
};
std::span<const SummaryColumn> summaryColumns();
std::span<const SummaryKind> summaryKinds();

// The line that heads a doctor's block of a whole-practice run, the one that heads
// the run's total after the blocks, and the line that names a file's NRD version.
std::string doctorHeading(const DoctorShare& doctor);
extern const char* const kTotalHeading;
std::string fileLine(const ImportedFile& file);

// A heading, then one line per kind of row that has any count, one line per file naming
// its NRD version, then where the run stopped, if it did. Given the doctors' shares of
// a whole-practice run, a block of the same lines for each comes first, headed by the
// doctor and his database doctor, and the run's own lines are their total.
std::vector<std::string> summaryLines(const ImportCounts& counts,
                                      const std::optional<StopInfo>& stop = std::nullopt,
                                      const std::vector<ImportedFile>& files = {},
                                      const std::vector<DoctorShare>& doctors = {});

// The same lines in the log, one entry each.
void logSummary(const ImportCounts& counts, const std::optional<StopInfo>& stop,
                const std::vector<ImportedFile>& files = {},
                const std::vector<DoctorShare>& doctors = {});

// {"doctors": {"written": 0, "existing": 1, "skipped": {"unknown_code": 0, "not_found": 0,
// "left_out": 0}, "failed": 0}, ..., "stopped": {"file": ..., "sheet": ..., "reason": ...,
// "lost": {"examinations": 18, ...}} or null}: every kind, in a fixed order; the reason
// of an interrupted run is "interrupted", and "lost" names the kinds a failed commit
// lost rows of. Given files, "files": [{"file": ..., "nrd": "2015"}, ...] follows; given
// the doctors' shares, "by_doctor": [{"uin": ..., "name": ..., "database_doctor_id": 3 or
// null, "doctors": {...}, ...}, ...] with every kind's counts of each.
std::string summaryJson(const ImportCounts& counts, const std::optional<StopInfo>& stop,
                        const std::vector<ImportedFile>& files = {},
                        const std::vector<DoctorShare>& doctors = {});

}  // namespace kalvex::engine
