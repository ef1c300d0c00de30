// kalvex-import under real faults: a missing table, a full database disk, a full log
// disk and the signals that stop a run. Whatever happens, the exit code and the summary
// must tell what the database holds.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/code_page.h"
#include "db/database_error.h"
#include "support/database_state.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/report_builder.h"
#include "support/sample_documents.h"
#include "support/small_disk.h"
#include "support/summary_rows.h"
#include "support/temp_dir.h"

namespace kalvex::testing {
namespace {

// `sheets` sheets of NRD 2022, each with every document and an immunisation (so the run
// commits after each), of three patients in turn.
std::string everyDocumentReport(int sheets) {
    const char* patients[] = {"7501020018", "8001010005", "8001010008"};
    ReportInput report;
    for (int i = 0; i < sheets; ++i) {
        SheetInput sheet;
        sheet.noAl = std::to_string(100001 + i);
        sheet.egn = patients[i % 3];
        sheet.extra = sampleDocuments(2022);
        report.doctors[0].sheets.push_back(sheet);
    }
    return reportXml(report);
}

std::string importArguments(const std::string& xml, const std::string& database,
                            const std::string& log, const std::string& more = "") {
    return "run --nrd 2022 --xml '" + xml + "' --db '" + database +
           "' --create-doctor --summary json --log '" + log + "' " + more;
}

void expectSummaryIsTheDatabase(const ProgramRun& run, const DatabaseState& before,
                                const std::string& database) {
    EXPECT_EQ(writtenMismatches(run.out, before, databaseState(database)),
              std::vector<std::string>{})
        << run.out << run.err;
}

class RunFaults : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(RunFaults, MissingTableStopsAtTheFirstSheetThatNeedsIt) {
    const PracticeDatabase database;
    {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database.path());
        dm.SqlToValue("DROP TABLE EXAM_IMMUNIZATION");
        db::GDBCloseDatabase(dm);
    }
    writeBytes(dir.file("r.xml"), everyDocumentReport(3));
    const DatabaseState before = databaseState(database.path());
    const ProgramRun run =
        runImport(importArguments(dir.file("r.xml"), database.path(), dir.file("k.log")));
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.err.rfind(db::causeLine(db::FailureKind::missingObject), 0), 0u) << run.err;
    EXPECT_NE(run.out.find("\"sheet\": \"100001\""), std::string::npos) << run.out;
    EXPECT_EQ(summaryCount(run.out, "examinations", "failed"), -1);  // not the first field
    EXPECT_NE(run.out.find("\"failed\": 1}, \"medical_referrals\""), std::string::npos)
        << run.out;
    expectSummaryIsTheDatabase(run, before, database.path());
}

TEST_F(RunFaults, FullDatabaseDiskStopsTheRunAndKeepsWholeSheets) {
    SmallDisk disk(4096);
    if (!disk.unavailable().empty())
        GTEST_SKIP() << disk.unavailable();
    const std::string database = disk.file("practice.fdb");
    buildPracticeDatabase(database);
    writeBytes(dir.file("r.xml"), everyDocumentReport(1500));
    const DatabaseState before = databaseState(database);
    const ProgramRun run = runImport(importArguments(dir.file("r.xml"), database, dir.file("k.log")));
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.err.rfind(db::causeLine(db::FailureKind::diskFull), 0), 0u) << run.err;
    EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
    expectSummaryIsTheDatabase(run, before, database);
    // Whole sheets only: every kept examination has its immunisations.
    db::Tdm dm;
    db::GDBOpenDatabase(dm, database);
    EXPECT_EQ(std::get<std::int64_t>(dm.SqlToValue(
                  "SELECT COUNT(*) FROM PREGLED p WHERE NOT EXISTS (SELECT 1 FROM "
                  "EXAM_IMMUNIZATION i WHERE i.PREGLED_ID = p.ID)")),
              0);
    db::GDBCloseDatabase(dm);
}

TEST_F(RunFaults, FullLogDiskIsToldOnceAndTheImportGoesOn) {
    SmallDisk disk(4);
    if (!disk.unavailable().empty())
        GTEST_SKIP() << disk.unavailable();
    const PracticeDatabase database;
    writeBytes(dir.file("r.xml"), everyDocumentReport(60));
    const DatabaseState before = databaseState(database.path());
    const ProgramRun run =
        runImport(importArguments(dir.file("r.xml"), database.path(), disk.file("k.log")));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string told = "Лог файлът не може да бъде записан и програмата ще продължи без него.";
    const std::size_t first = run.err.find(told);
    EXPECT_NE(first, std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(told, first + 1), std::string::npos) << run.err;
    EXPECT_EQ(summaryCount(run.out, "examinations"), 60);
    expectSummaryIsTheDatabase(run, before, database.path());
}

// kalvex-import started in the background, its output into files.
struct Child {
    pid_t pid;
    std::string out, err;
};

Child startImport(const std::string& arguments, const TempDir& dir) {
    Child child{0, dir.file("out.txt"), dir.file("err.txt")};
    const std::string command =
        std::string("exec ") + KALVEX_IMPORT + " " + arguments + " >'" + child.out + "' 2>'" +
        child.err + "'";
    child.pid = fork();
    if (child.pid == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Waits until the log names `sheets` sheets (an import well under way), then signals.
ProgramRun interruptAfter(const Child& child, const std::string& log, int sheets, int signal) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < deadline &&
           countOf(common::fromCp1251(readBytes(log)), "Импортиране на първичен АЛ") < sheets)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(child.pid, signal);
    int status = 0;
    waitpid(child.pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(child.out),
            readBytes(child.err)};
}

TEST_F(RunFaults, SignalStopsAfterTheSheetUnderWayAndCommitsWhatCameBefore) {
    writeBytes(dir.file("r.xml"), everyDocumentReport(400));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        const PracticeDatabase database;
        const DatabaseState before = databaseState(database.path());
        const std::string log = dir.file("k" + std::to_string(signal) + ".log");
        const ProgramRun run = interruptAfter(
            startImport(importArguments(dir.file("r.xml"), database.path(), log), dir), log, 5,
            signal);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_NE(run.out.find("\"reason\": \"interrupted\""), std::string::npos) << run.out;
        EXPECT_EQ(run.err.find("connection shutdown"), std::string::npos) << run.err;
        const std::int64_t written = summaryCount(run.out, "examinations");
        EXPECT_GE(written, 5);
        EXPECT_LT(written, 400);
        expectSummaryIsTheDatabase(run, before, database.path());
    }
}

TEST_F(RunFaults, InterruptedDryRunLeavesTheDatabaseAsItWas) {
    writeBytes(dir.file("r.xml"), everyDocumentReport(400));
    const PracticeDatabase database;
    const DatabaseState before = databaseState(database.path());
    const std::string log = dir.file("k.log");
    const ProgramRun run = interruptAfter(
        startImport(importArguments(dir.file("r.xml"), database.path(), log, "--dry-run"), dir),
        log, 5, SIGINT);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.out.find("\"reason\": \"interrupted\""), std::string::npos) << run.out;
    EXPECT_EQ(databaseState(database.path()), before);
}

}  // namespace
}  // namespace kalvex::testing
