// Imports a generated NRD 2022 e-report of N sheets into a fresh practice database and
// prints sheets and rows per second, beside a bare prepared-insert loop writing as many
// rows, and the time per sheet against a report a tenth the size.
//   import_bench [SHEETS [ROUNDS [IMMUNISATIONS [plain]]]]
//   (default 10000 sheets, 3 rounds, immunisations on 10% of the sheets; each makes the
//   import commit after its sheet). The import keeps its journal, as kalvex-import
//   does; "plain" leaves the journal out, to measure what it costs.
// Each round imports both sizes and runs the bare loop, each on a database of its own;
// the best and the worst of the rounds are printed. The import's time is DoImport and
// the final commit; loading the e-report is timed apart.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "common/numbers.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "engine/do_import.h"
#include "engine/run_end.h"
#include "engine/run_journal.h"
#include "ereport/xml_report.h"
#include "import/bare_insert.h"
#include "import/report_generator.h"
#include "import/stopwatch.h"

namespace {

using namespace kalvex;
using bench::Stopwatch;

// Answers nothing and shows nothing: a run of this report asks no questions.
class SilentUser final : public engine::ImportUser {
  public:
    void setActionText(const std::string&) override {}
    void setCountText(const std::string&) override {}
    void setProgress(int, int) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> inputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    void showMessage(const std::string&) override {}
    void LogToMemo(const std::string&) override {}
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
    Best load, import, commit;
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

void importOnce(Report& report) {
    db::Tdm dm;
    db::GDBOpenDatabase(dm, freshDatabase());
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

    SilentUser user;
    const Stopwatch importing;
    engine::RunLedger ledger;
    if (withJournal)
        engine::beginJournal(dm, ledger, {"2022", 0, {report.file}, ""});
    engine::DoImport(dm, xml, settings, user, ledger);
    report.counts = ledger.counts();
    const Stopwatch committing;
    engine::endRun(dm, ledger, nullptr, false);
    report.commit.add(committing.elapsed());
    report.import.add(importing.elapsed());
    db::GDBCloseDatabase(dm);
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
        Report small = writeReport(std::max(1, sheets / 10), immunisationPercent);
        Best bare;
        for (int round = 0; round < rounds; ++round) {
            if (round % 2 == 1)
                importOnce(small);
            importOnce(big);
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
        asExpected = printCounts(small) && bigAsExpected;
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
            "bare insert loop:%8.3f s (%.3f s) for the same %d rows; processor time "
            "%.3f s\n",
            bare.best, bare.worst, rows, bare.processor);
        std::printf("                 %8.0f rows/s (%.0f)\n", rows / bare.best, rows / bare.worst);
        std::printf("import / bare:   %8.3f rows/s (target >= 0.5); by processor time %.3f\n",
                    bare.best / big.import.best, bare.processor / big.import.processor);
        const double perBig = big.import.best / big.sheets * 1000.0;
        const double perSmall = small.import.best / small.sheets * 1000.0;
        std::printf(
            "time per sheet:  %8.3f ms at %d sheets, %.3f ms at %d: x %.3f "
            "(target <= 1.1)\n",
            perBig, big.sheets, perSmall, small.sheets, perBig / perSmall);
        std::printf("                 processor time %.3f ms against %.3f ms: x %.3f\n",
                    big.import.processor / big.sheets * 1000.0,
                    small.import.processor / small.sheets * 1000.0,
                    (big.import.processor / big.sheets) / (small.import.processor / small.sheets));
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
