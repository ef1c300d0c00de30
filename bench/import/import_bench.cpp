// Imports a generated NRD 2022 e-report of N sheets into a fresh practice database and
// prints sheets and rows per second against two bare loops of the client library:
//   the limit       the very rows the import wrote, sheet by sheet in document order,
//                   with its commits (import_replay.h): the headline ratio;
//   table by table  as many rows, each table's in one go, in one transaction
//                   (bare_insert.h): a floor no import of sheets can reach;
// and the time per sheet, the run's start-up (up to its first sheet) taken off, against
// a report of 1000 sheets (a tenth the size below 10000).
//   import_bench [SHEETS [ROUNDS [IMMUNISATIONS [plain]]]]
//   (default 10000 sheets, 3 rounds, immunisations on 10% of the sheets; each makes the
//   import commit after its sheet). The import keeps its journal, as kalvex-import
//   does; "plain" leaves the journal out, to measure what it costs (the limit's rows
//   then come from one more import, with the journal, that is not timed).
// Each round imports both sizes and runs both loops, each on a database of its own;
// the best and the worst of the rounds are printed. The import's time is DoImport and
// the final commit; loading the e-report is timed apart.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "common/numbers.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "engine/run/do_import.h"
#include "engine/run/run_end.h"
#include "engine/journal/run_journal.h"
#include "ereport/xml_report.h"
#include "import/bare_insert.h"
#include "import/import_replay.h"
#include "import/report_generator.h"
#include "import/stopwatch.h"

namespace {

using namespace kalvex;
using bench::Stopwatch;

// Answers nothing and shows nothing: a run of this report asks no questions. Notes
// when the first sheet starts, which ends the run's start-up.
class SilentUser final : public engine::ImportUser {
  public:
    explicit SilentUser(const Stopwatch& run) : run_(run) {}
    Stopwatch::Reading startUp;
    void setActionText(const std::string&) override {}
    void setCountText(const std::string&) override {}
    void setProgress(int position, int) override {
        if (position == 1)
            startUp = run_.elapsed();
    }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> inputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    void showMessage(const std::string&) override {}
    void LogToMemo(const std::string&) override {}

  private:
    const Stopwatch& run_;
};

// The best and the worst wall time of the rounds, and the processor time of the best.
struct Best {
    double best = 1e300, worst = 0, processor = 0;
    void add(Stopwatch::Reading time) {
        if (time.wall < best)
            best = time.wall, processor = time.processor;
        worst = std::max(worst, time.wall);
    }
};

struct Report {
    int sheets = 0, patients = 0;
    std::string file;
    Best load, import, commit, perSheet;
    engine::ImportCounts expected, counts;
};

std::filesystem::path workDir;
int databases = 0;

std::string freshDatabase() {
    const std::string path = (workDir / ("bench" + std::to_string(++databases) + ".fdb")).string();
    const std::string command =
        std::string(KALVEX_SOURCE_DIR) + "/tools/make_practice_db.sh '" + path + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("cannot build " + path);
    return path;
}

Report writeReport(int sheets, int immunisationPercent) {
    const bench::GeneratedReport generated = bench::generateReport(sheets, immunisationPercent);
    Report report;
    report.sheets = sheets;
    report.patients = generated.patients;
    report.expected = generated.expected;
    report.file = (workDir / ("report" + std::to_string(sheets) + ".xml")).string();
    std::ofstream(report.file, std::ios::binary) << testing::reportXml(generated.input);
    return report;
}

bool withJournal = true;

// Imports the report into a fresh database, which it returns.
std::string importOnce(Report& report, bool journal = withJournal) {
    const std::string database = freshDatabase();
    db::Tdm dm;
    db::GDBOpenDatabase(dm, database);
    engine::ImportSettings settings;
    settings.databaseDoctorId = static_cast<int>(std::get<std::int64_t>(
        dm.SqlToValue("INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES "
                      "(:UIN, 1, :EGN, 'Радка', 'Петрова', 'Стоянова') RETURNING ID",
                      {{"UIN", std::string("2300012345")}, {"EGN", std::string("7204156625")}})));
    dm.traMain.commit();

    ereport::XmlReport xml;
    const Stopwatch loading;
    xml.XMLLoadFile(settings.nrdIndex, report.file);
    report.load.add(loading.elapsed());

    const Stopwatch importing;
    SilentUser user(importing);
    engine::RunLedger ledger;
    if (journal)
        engine::beginJournal(dm, ledger, {"2022", 0, {report.file}, ""});
    engine::DoImport(dm, xml, settings, user, ledger);
    report.counts = ledger.counts();
    const Stopwatch committing;
    engine::endRun(dm, ledger, nullptr, false);
    report.commit.add(committing.elapsed());
    const Stopwatch::Reading time = importing.elapsed();
    db::GDBCloseDatabase(dm);
    if (journal == withJournal) {  // else only its rows are wanted
        report.import.add(time);
        report.perSheet.add({(time.wall - user.startUp.wall) / report.sheets,
                             (time.processor - user.startUp.processor) / report.sheets});
    }
    return database;
}

using engine::RowKind;

constexpr std::pair<RowKind, const char*> kKinds[] = {
    {RowKind::doctor, "doctors"},
    {RowKind::patient, "patients"},
    {RowKind::examination, "examinations"},
    {RowKind::medicalReferral, "medical referrals"},
    {RowKind::diagnosticReferral, "diagnostic referrals"},
    {RowKind::analysis, "tests"},
    {RowKind::consultation, "consultations"},
    {RowKind::commission, "commissions"},
    {RowKind::commissionMember, "commission members"},
    {RowKind::telkReferral, "TELK referrals"},
    {RowKind::hospitalisation, "hospitalisations"},
    {RowKind::immunisation, "immunisations"},
    {RowKind::prescription, "prescription forms"},
    {RowKind::sickLeave, "sick-leave certificates"},
};
static_assert(std::size(kKinds) == static_cast<std::size_t>(RowKind::kindCount));

int rowsWritten(const engine::ImportCounts& c) {
    int rows = 0;
    for (const auto& [kind, name] : kKinds)
        rows += c[kind].written;
    return rows;
}

// The rows of each kind against those the generator issued; false when any differ or
// any sheet failed.
bool printCounts(const Report& r) {
    std::printf("  %d sheets, %d distinct patients, %d rows written:\n", r.sheets, r.patients,
                rowsWritten(r.counts));
    bool expected = r.counts[RowKind::examination].failed == 0;
    for (const auto& [kind, name] : kKinds) {
        const engine::RowCounts& c = r.counts[kind];
        const int issued = r.expected[kind].written;
        expected = expected && c.written == issued;
        std::printf("    %-24s %6d written (%6d expected), %d found, %d skipped, %d failed%s\n",
                    name, c.written, issued, c.existing, c.skipped(), c.failed,
                    c.written == issued ? "" : "  <-- not as expected");
    }
    return expected;
}

}  // namespace

int main(int argc, char** argv) {
    const auto argument = [&](int index, int fallback, int least, int most) {
        if (argc <= index)
            return fallback;
        const auto value = common::parseInteger(argv[index]);
        return value && *value >= least && *value <= most ? *value : -1;
    };
    const int sheets = argument(1, 10000, 10, 10000000);
    const int rounds = argument(2, 3, 1, 100);
    const int immunisationPercent = argument(3, 10, 0, 100);
    withJournal = argc <= 4 || std::string(argv[4]) != "plain";
    if (argc > 5 || sheets < 0 || rounds < 0 || immunisationPercent < 0) {
        std::fprintf(stderr,
                     "usage: import_bench [SHEETS (10 on) [ROUNDS [IMMUNISATIONS%% [plain]]]]\n");
        return 2;
    }
    char pattern[] = "/tmp/kalvex-import-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return 1;
    workDir = pattern;
    bool asExpected = false;
    try {
        Report big = writeReport(sheets, immunisationPercent);
        Report small = writeReport(sheets >= 10000 ? 1000 : std::max(1, sheets / 10),
                                   immunisationPercent);
        Best limit, bare;
        std::unique_ptr<bench::ImportedRows> imported;
        for (int round = 0; round < rounds; ++round) {
            if (round % 2 == 1)
                importOnce(small);
            const std::string database = importOnce(big);
            if (!imported)
                imported = std::make_unique<bench::ImportedRows>(
                    withJournal ? database : importOnce(big, true));
            limit.add(imported->replay(freshDatabase()));
            const auto& c = big.counts;
            const int patients = c[RowKind::patient].written;
            bare.add(bench::bareInsertLoop(freshDatabase(), patients, rowsWritten(c) - patients));
            if (round % 2 == 0)
                importOnce(small);
        }
        const int rows = rowsWritten(big.counts);
        const double mb = static_cast<double>(std::filesystem::file_size(big.file)) / 1048576.0;
        std::printf(
            "NRD 2022 e-report, immunisations on %d%% of the sheets, best (worst) of %d "
            "rounds, Release build, %s\n",
            immunisationPercent, rounds, withJournal ? "journal kept" : "no journal");
        const bool bigAsExpected = printCounts(big);
        asExpected = printCounts(small) && bigAsExpected && imported->rows() == rows;
        std::printf("load e-report:   %8.3f s (%.3f s) for %.1f MB, not in the import's time\n",
                    big.load.best, big.load.worst, mb);
        std::printf(
            "import:          %8.3f s (%.3f s), of which the commit %.3f s; "
            "processor time %.3f s\n",
            big.import.best, big.import.worst, big.commit.best, big.import.processor);
        std::printf("                 %8.0f sheets/s (%.0f), %.0f rows/s (%.0f)\n",
                    sheets / big.import.best, sheets / big.import.worst, rows / big.import.best,
                    rows / big.import.worst);
        std::printf(
            "limit:           %8.3f s (%.3f s) for the %d rows it wrote, sheet by sheet, "
            "%d commits; processor time %.3f s\n",
            limit.best, limit.worst, imported->rows(), imported->commits(), limit.processor);
        std::printf(
            "table by table:  %8.3f s (%.3f s) for as many rows, one commit; processor time "
            "%.3f s\n",
            bare.best, bare.worst, bare.processor);
        std::printf(
            "import / limit:  %8.3f (target >= 0.85); by processor time %.3f\n", limit.best / big.import.best,
            limit.processor / big.import.processor);
        std::printf("import / table by table: %.3f; by processor time %.3f\n",
                    bare.best / big.import.best, bare.processor / big.import.processor);
        const auto ms = [](double seconds) { return seconds * 1000.0; };
        std::printf(
            "time per sheet:  %8.3f ms at %d sheets, %.3f ms at %d, start-up off: x %.3f "
            "(target <= 1.1)\n",
            ms(big.perSheet.best), big.sheets, ms(small.perSheet.best), small.sheets,
            big.perSheet.best / small.perSheet.best);
        std::printf("                 processor time %.3f ms against %.3f ms: x %.3f\n",
                    ms(big.perSheet.processor), ms(small.perSheet.processor),
                    big.perSheet.processor / small.perSheet.processor);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        std::filesystem::remove_all(workDir);
        return 1;
    }
    std::filesystem::remove_all(workDir);
    if (!asExpected)
        std::fprintf(stderr, "The import did not write the rows the report issues.\n");
    return asExpected ? 0 : 2;
}
