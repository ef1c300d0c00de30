// `kalvex-import run` over generated e-reports with faults drawn into them: whatever a
// run meets, its exit code, its summary and the database it leaves agree.
//
// Each case is drawn from one seed: a report of the benchmark's generator (5 to 30
// sheets) and up to three mutations. The ordinary run imports the fixed seeds below;
// KALVEX_PROPERTY_RUNS=N imports N cases from the seeds KALVEX_PROPERTY_SEED,
// KALVEX_PROPERTY_SEED + 1, ... (a fresh first seed without it). A failure names the
// case's seed: KALVEX_PROPERTY_RUNS=1 KALVEX_PROPERTY_SEED=<seed> imports it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "import/report_generator.h"
#include "support/committed.h"
#include "support/database_state.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/report_builder.h"
#include "support/report_mutations.h"
#include "support/run_summary.h"
#include "support/summary_rows.h"
#include "support/temp_dir.h"

namespace kalvex {
namespace {

using testing::Committed;

using testing::DatabaseState;
using testing::RunSummary;
using testing::rowsOf;

// What must hold for every case.
enum Property {
    kExitCode = 1,     // 0, 1 or 2; 0 exactly when the summary names no stop
    kCountsAreRows,    // each kind's "written" is the rows its tables gained
    kSecondRunIsIdle,  // a completed run imported again writes nothing
    kStopLeavesSheet,  // nothing of the sheet a run stopped at stays
    kDryRunIsIdle,     // a dry run leaves every row count and generator as it was
};

// A row that belongs to another: it must never outlive it.
struct Link {
    const char* table;
    const char* column;
    const char* parent;
};
constexpr Link kLinks[] = {
    {"PREGLED", "PACIENT_ID", "PACIENT"},           {"BLANKA_MED_NAPR", "PREGLED_ID", "PREGLED"},
    {"BLANKA_MDN", "PREGLED_ID", "PREGLED"},        {"NZIS_MDN", "PREGLED_ID", "PREGLED"},
    {"EXAM_ANALYSIS", "PREGLED_ID", "PREGLED"},     {"BLANKA_MED_NAPR_3A", "PREGLED_ID", "PREGLED"},
    {"EXAM_LKK", "PREGLED_ID", "PREGLED"},          {"EXAM_LKK_DOCTOR", "EXAM_LKK_ID", "EXAM_LKK"},
    {"BLANKA_NAPR_TELK", "PREGLED_ID", "PREGLED"},  {"HOSPITALIZATION", "PREGLED_ID", "PREGLED"},
    {"EXAM_IMMUNIZATION", "PREGLED_ID", "PREGLED"}, {"FREE_RECIPE", "PREGLED_ID", "PREGLED"},
    {"EXAM_BOLN_LIST", "PREGLED_ID", "PREGLED"},
};

struct PropertyCase {
    unsigned seed = 0;
    int immunisationPercent = 0;
    testing::ReportInput report;
    std::vector<testing::Mutation> mutations;

    const std::vector<testing::SheetInput>& sheets() const { return report.doctors.front().sheets; }

    std::string text() const {
        std::string out = "seed " + std::to_string(seed) + ": " + std::to_string(sheets().size()) +
                          " sheets, " + std::to_string(immunisationPercent) +
                          "% with immunisations, ";
        if (mutations.empty())
            return out + "no mutation";
        out += "mutations:";
        for (const testing::Mutation& m : mutations)
            out += "\n  " + m.text();
        return out;
    }
};

PropertyCase drawCase(unsigned seed) {
    std::mt19937 random(seed);
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    PropertyCase c;
    c.seed = seed;
    const int sheets = between(5, 30);
    c.immunisationPercent = between(0, 40);
    c.report = bench::generateReport(sheets, c.immunisationPercent, seed).input;
    testing::ReportMutator mutator(random);
    for (int n = between(0, 3); n > 0; --n)
        c.mutations.push_back(mutator.mutate(c.report));
    return c;
}

struct Violation {
    Property property;
    std::string text;
};

// A kind the summary lacks (checkCounts says so) counts nothing.
testing::SummaryCounts countsOf(const RunSummary& summary, const std::string& key) {
    const auto found = summary.kinds.find(key);
    return found == summary.kinds.end() ? testing::SummaryCounts{} : found->second;
}

// The row counts and generator values that differ between `before` and `after`.
// The practice's own tables and generators only: every real run adds to the journal.
bool isJournal(const std::string& name) {
    return name.rfind("KALVEX_", 0) == 0 || name.rfind("GEN_KALVEX_", 0) == 0;
}

std::string differences(const DatabaseState& before, const DatabaseState& after, bool generators) {
    std::string out;
    for (const auto& [table, rows] : after.rows)
        if (!isJournal(table) && rows != rowsOf(before, table))
            out += " " + table + " " + std::to_string(rowsOf(before, table)) + "->" +
                   std::to_string(rows);
    if (generators)
        for (const db::GeneratorValue& g : after.generators) {
            const auto old =
                std::find_if(before.generators.begin(), before.generators.end(),
                             [&](const db::GeneratorValue& b) { return b.name == g.name; });
            if (!isJournal(g.name) && (old == before.generators.end() || old->value != g.value))
                out += " " + g.name + " " +
                       (old == before.generators.end() ? "new" : std::to_string(old->value)) +
                       "->" + std::to_string(g.value);
        }
    return out;
}

// The first line of a message, cut short where a mutated value runs on in it.
std::string firstLine(const std::string& text) {
    return testing::shortened(text.substr(0, text.find('\n')));
}

// One case imported as the properties need it: a dry run on the fresh database, the
// real run, and when that completed, the same import again (and a third time, when the
// second wrote rows).
class CaseRun {
  public:
    explicit CaseRun(const PropertyCase& c) : case_(c), file_(dir_.file("report.xml")) {
        testing::writeBytes(file_, testing::reportXml(c.report));
    }

    std::vector<Violation> check() {
        const DatabaseState fresh = testing::databaseState(database_.path());
        const Run dry = import(true);
        checkExit("dry run", dry);
        const DatabaseState afterDry = testing::databaseState(database_.path());
        if (!(afterDry == fresh))
            violate(kDryRunIsIdle, "the dry run changed" + differences(fresh, afterDry, true));

        const Run first = import(false);
        checkExit("run", first);
        outcome_ = "exit " + std::to_string(first.program.exitCode);
        if (first.summary && first.summary->stopped)
            outcome_ += ", stopped at sheet " + first.summary->stopped->sheet + ": " +
                        firstLine(first.summary->stopped->reason);
        else if (first.program.exitCode != 0)
            outcome_ += ": " + firstLine(first.program.err);
        const DatabaseState afterFirst = testing::databaseState(database_.path());
        checkCounts(first, afterDry, afterFirst);
        checkLinks();
        if (first.summary && first.summary->stopped)
            checkStoppedSheet(first.summary->stopped->sheet);

        if (first.program.exitCode == 0 && first.summary)
            checkAgain(*first.summary, afterFirst);
        return violations_;
    }

    // How the real run ended.
    const std::string& outcome() const { return outcome_; }

  private:
    struct Run {
        testing::ProgramRun program;
        std::optional<RunSummary> summary;
    };

    // The faults are for the import to meet: the version check, which refuses a file
    // with a value its model cannot read before anything is written, is passed over.
    Run import(bool dryRun) {
        Run run{testing::runImport("run --nrd 2022 --ignore-version-check --xml '" + file_ +
                                   "' --db '" + database_.path() +
                                   "' --create-doctor --summary json --log '" +
                                   dir_.file("kalvex.log") + "'" + (dryRun ? " --dry-run" : "")),
                std::nullopt};
        if (!run.program.out.empty()) {
            try {
                run.summary = testing::parseSummary(run.program.out);
            } catch (const std::exception& e) {
                violate(kExitCode, std::string("the summary does not read: ") + e.what() + "\n" +
                                       run.program.out);
            }
        }
        return run;
    }

    // A completed run imported again finds every row it wrote. Only a sheet that it left
    // out because its patient could not be written may come in now, when a later sheet
    // wrote that patient: then a third import writes nothing.
    void checkAgain(const RunSummary& first, const DatabaseState& afterFirst) {
        const testing::SummaryCounts patients = countsOf(first, "patients");
        const std::int64_t leftOut = patients.unknownCode + patients.notFound + patients.leftOut;
        const Run second = import(false);
        checkExit("second run", second);
        const DatabaseState afterSecond = testing::databaseState(database_.path());
        checkCounts(second, afterFirst, afterSecond);
        if (!second.summary)
            return;
        std::int64_t written = 0;
        for (const auto& [key, counts] : second.summary->kinds) {
            written += counts.written;
            const bool ofLeftOutSheet = leftOut > 0 && key != "doctors" && key != "patients";
            if (counts.written != 0 && !ofLeftOutSheet)
                violate(kSecondRunIsIdle,
                        "the second run wrote " + std::to_string(counts.written) + " " + key);
        }
        const std::int64_t examinations = countsOf(*second.summary, "examinations").written;
        if (examinations > leftOut)
            violate(kSecondRunIsIdle, "the second run wrote " + std::to_string(examinations) +
                                          " examinations, the first left out " +
                                          std::to_string(leftOut) + " patients");
        if (written == 0) {
            if (!differences(afterFirst, afterSecond, false).empty())
                violate(kSecondRunIsIdle,
                        "the second run changed" + differences(afterFirst, afterSecond, false));
            return;
        }
        const Run third = import(false);
        checkExit("third run", third);
        const DatabaseState afterThird = testing::databaseState(database_.path());
        if (third.summary)
            for (const auto& [key, counts] : third.summary->kinds)
                if (counts.written != 0)
                    violate(kSecondRunIsIdle,
                            "the third run wrote " + std::to_string(counts.written) + " " + key);
        if (!differences(afterSecond, afterThird, false).empty())
            violate(kSecondRunIsIdle,
                    "the third run changed" + differences(afterSecond, afterThird, false));
    }

    void violate(Property property, const std::string& text) {
        violations_.push_back({property, text});
    }

    void checkExit(const std::string& which, const Run& run) {
        const int code = run.program.exitCode;
        const std::string said = which + " exited with " + std::to_string(code) + " (" +
                                 firstLine(run.program.err) + ")";
        if (code != 0 && code != 1 && code != 2)
            violate(kExitCode, said);
        else if (!run.summary && code != 2)
            violate(kExitCode, said + " without a summary");
        else if (run.summary && (code == 0) != !run.summary->stopped)
            violate(kExitCode,
                    said + (run.summary->stopped ? ", stopped: " + run.summary->stopped->reason
                                                 : ", no stop in the summary"));
    }

    // A run refused before it began (exit 2, no summary) counts as writing nothing.
    void checkCounts(const Run& run, const DatabaseState& before, const DatabaseState& after) {
        for (const testing::SummaryKind& kind : testing::summaryKinds()) {
            std::int64_t gained = 0;
            for (const std::string& table : kind.tables)
                gained += rowsOf(after, table) - rowsOf(before, table);
            std::int64_t written = 0;
            if (run.summary) {
                const auto found = run.summary->kinds.find(kind.key);
                if (found == run.summary->kinds.end()) {
                    violate(kCountsAreRows, std::string("the summary lacks ") + kind.key);
                    continue;
                }
                written = found->second.written;
            }
            if (written != gained)
                violate(kCountsAreRows, std::string(kind.key) + ": written " +
                                            std::to_string(written) + ", rows gained " +
                                            std::to_string(gained));
        }
        if (run.summary && run.summary->kinds.size() != testing::summaryKinds().size())
            violate(kCountsAreRows,
                    "the summary has " + std::to_string(run.summary->kinds.size()) + " kinds");
    }

    void checkLinks() {
        Committed db(database_.path());
        for (const Link& link : kLinks) {
            const std::int64_t lost =
                db.count(std::string(link.table) + " c WHERE c." +
                         link.column + " IS NOT NULL AND NOT EXISTS (SELECT 1 FROM " + link.parent +
                         " p WHERE p.ID = c." + link.column + ")");
            if (lost != 0)
                violate(kStopLeavesSheet, std::to_string(lost) + " rows of " + link.table +
                                              " belong to no row of " + link.parent);
        }
    }

    // The sheet numbers of the report are distinct: no row may carry the number of the
    // sheet the run stopped at, nor may its patient stay when no sheet before it had one.
    void checkStoppedSheet(const std::string& number) {
        const auto& sheets = case_.sheets();
        const auto sheet = std::find_if(sheets.begin(), sheets.end(),
                                        [&](const auto& s) { return s.noAl == number; });
        if (sheet == sheets.end()) {
            if (!number.empty())
                violate(kStopLeavesSheet,
                        "stopped at sheet " + number + ", which is not in the report");
            return;
        }
        Committed db(database_.path());
        const std::int64_t rows = db.count(
            "PREGLED WHERE AMB_LISTN = CAST(:N AS VARCHAR(8000)) OR "
            "NRN = CAST(:N AS VARCHAR(8000))",
            {{"N", number}});
        if (rows != 0)
            violate(kStopLeavesSheet, "the stopped sheet " + number + " has " +
                                          std::to_string(rows) + " examination rows");
        const bool seenBefore =
            std::any_of(sheets.begin(), sheet, [&](const auto& s) { return s.egn == sheet->egn; });
        if (!seenBefore && !sheet->egn.empty() &&
            sheet->egn.find_first_not_of('0') != std::string::npos) {
            const std::int64_t patients =
                db.count("PACIENT WHERE EGN = CAST(:E AS VARCHAR(8000))",
                         {{"E", sheet->egn}});
            if (patients != 0)
                violate(kStopLeavesSheet, "the patient " + sheet->egn +
                                              " of the stopped sheet stayed in the database");
        }
    }

    const PropertyCase& case_;
    testing::TempDir dir_;
    std::string file_;
    testing::PracticeDatabase database_;
    std::vector<Violation> violations_;
    std::string outcome_;
};

std::string failureText(const PropertyCase& c, const CaseRun& run,
                        const std::vector<Violation>& violations) {
    std::string out = c.text() + "\nthe run: " + run.outcome();
    for (const Violation& v : violations)
        out += "\nproperty " + std::to_string(v.property) + ": " + v.text;
    return out + "\nagain: KALVEX_PROPERTY_RUNS=1 KALVEX_PROPERTY_SEED=" + std::to_string(c.seed) +
           " tools/test.sh -R ImportPropertyRandom";
}

// The ordinary run's cases: runs that complete with and without mutations (1: documents
// repeated, 2: none), stopped at a sheet (7: a flag that is no boolean, 21: a date far
// too long; 5, 8 and 36 stop after the sheet wrote rows), and 14, whose sheet left out for
// a patient that cannot be written comes in on the second import.
constexpr unsigned kSeeds[] = {1, 2, 5, 7, 8, 14, 21, 36};

class ImportProperty : public ::testing::TestWithParam<unsigned> {};

TEST_P(ImportProperty, Holds) {
    const PropertyCase c = drawCase(GetParam());
    CaseRun run(c);
    const std::vector<Violation> found = run.check();
    EXPECT_TRUE(found.empty()) << failureText(c, run, found);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ImportProperty, ::testing::ValuesIn(kSeeds),
                         [](const auto& info) { return "seed" + std::to_string(info.param); });

TEST(ImportPropertyRandom, Holds) {
    const char* runs = std::getenv("KALVEX_PROPERTY_RUNS");
    if (runs == nullptr)
        GTEST_SKIP() << "KALVEX_PROPERTY_RUNS=N imports N random cases";
    const char* seed = std::getenv("KALVEX_PROPERTY_SEED");
    const unsigned first =
        seed != nullptr ? static_cast<unsigned>(std::stoul(seed)) : std::random_device{}();
    const int count = std::stoi(runs);
    std::cout << "cases of seeds " << first << " to " << first + count - 1 << std::endl;
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const PropertyCase c = drawCase(first + static_cast<unsigned>(i));
        CaseRun run(c);
        std::vector<Violation> found;
        try {
            found = run.check();
        } catch (const std::exception& e) {
            // A database the case could not build or read: named with its case, and the
            // cases after it still run.
            ++failed;
            ADD_FAILURE() << c.text() << "\nnot checked: " << e.what();
            continue;
        }
        if (!found.empty()) {
            ++failed;
            ADD_FAILURE() << failureText(c, run, found);
        }
        std::cout << "seed " << c.seed << (found.empty() ? " holds" : " FAILS") << " ("
                  << run.outcome() << ")" << std::endl;
    }
    std::cout << failed << " of " << count << " cases failed" << std::endl;
}

}  // namespace
}  // namespace kalvex
