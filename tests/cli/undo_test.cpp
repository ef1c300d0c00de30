// Taking a run back with kalvex-import undo: the tables as they were before it, byte for
// byte, with what others changed or use since kept; and a journal that stays in step
// with the rows through a hard kill.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/code_page.h"
#include "support/committed.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/report_builder.h"
#include "support/sample_documents.h"
#include "support/table_contents.h"
#include "support/temp_dir.h"

namespace kalvex::testing {
namespace {

std::string sample(const std::string& name) {
    const char* source = std::getenv("KALVEX_SOURCE_DIR");
    return std::string(source == nullptr ? "." : source) + "/samples/" + name;
}

// `sheets` sheets of NRD 2022 with every document, numbered from `first`, of the
// patients in turn.
std::string report(int sheets, int first = 100001,
                   std::vector<std::string> patients = {"7501020018", "8001010005"}) {
    ReportInput input;
    for (int i = 0; i < sheets; ++i) {
        SheetInput sheet;
        sheet.noAl = std::to_string(first + i);
        sheet.egn = patients[static_cast<std::size_t>(i) % patients.size()];
        sheet.extra = sampleDocuments(2022);
        input.doctors[0].sheets.push_back(sheet);
    }
    return reportXml(input);
}

class Undo : public ::testing::Test {
  protected:
    std::string file(const std::string& name, const std::string& content) {
        const std::string path = dir.file(name);
        writeBytes(path, content);
        return path;
    }
    ProgramRun import(const std::string& source, const std::string& more = "--create-doctor") {
        return runImport("run --nrd 2022 " + source + " --db '" + database.path() + "' --log '" +
                         dir.file("k.log") + "' " + more);
    }
    ProgramRun undo(int run, const std::string& more = "") {
        return runImport("undo --db '" + database.path() + "' " + std::to_string(run) +
                         " --log '" + dir.file("k.log") + "' " + more);
    }
    std::int64_t count(const std::string& tableAndCondition) {
        return Committed(database.path()).count(tableAndCondition);
    }

    TempDir dir;
    PracticeDatabase database;
};

// Whatever the run was, taking it back gives every table as it was before it.
TEST_F(Undo, ARunTakenBackLeavesEveryTableAsBefore) {
    const struct Case {
        const char* what;
        std::string setUp;  // statements before the run
        std::string run;    // kalvex-import run's words
        int runExit;
    } cases[] = {
        {"NRD 2022, the doctor created", "", "--nrd 2022 --xml '" + sample("nrd2022-gp.xml") +
                                                 "' --create-doctor", 0},
        {"NRD 2009 under a doctor of the database",
         "INSERT INTO DOCTOR (ID, UIN, SPECIALITY_ID, FNAME, LNAME) VALUES (90, '2300010228', 1, "
         "'Иван', 'Генов')",
         "--nrd 2009 --xml '" + sample("nrd2009.xml") + "' --doctor 90", 0},
        {"a run stopped on an error", "",
         "--nrd 2022 --xml '@stopped' --create-doctor", 1},
        {"a folder", "", "--nrd 2022 --folder '@folder' --create-doctor", 0},
        {"a rehabilitation stamp on an older examination",
         "INSERT INTO DOCTOR (ID, UIN, SPECIALITY_ID, FNAME, LNAME) VALUES (91, '0400000001', 23, "
         "'Мария', 'Петрова'); INSERT INTO PACIENT (ID, EGN, PID_TYPE) VALUES (92, '7501020018', "
         "'E'); INSERT INTO PREGLED (ID, PACIENT_ID, DOCTOR_ID, START_DATE, AMB_LISTN) VALUES "
         "(93, 92, 91, DATE '2023-04-03', '500')",
         "--nrd 2022 --edition s --xml '@rehabilitation' --doctor 91", 0},
        {"a whole practice",
         "INSERT INTO DOCTOR (ID, UIN, SPECIALITY_ID, FNAME, LNAME) VALUES (94, '0400000001', 1, "
         "'Мария', 'Петрова'); INSERT INTO DOCTOR (ID, UIN, SPECIALITY_ID, FNAME, LNAME) VALUES "
         "(95, '0400000002', 1, 'Петър', 'Димов')",
         "--nrd 2018 --xml '@practice' --all-doctors", 0},
    };
    // The files the cases name.
    SheetInput bad;
    bad.noAl = "100003";
    bad.examType = "A1";
    ReportInput stopped;
    stopped.doctors[0].sheets = {SheetInput{}, bad};
    stopped.doctors[0].sheets[0].extra = sampleDocuments(2022);
    std::filesystem::create_directory(dir.file("folder"));
    file("folder/a.xml", report(2));
    file("folder/b.xml", report(2, 200001, {"7501020018", "6101010013"}));
    ReportInput rehabilitation;
    rehabilitation.doctors[0].simpCode = "23";
    SheetInput visit;
    visit.examType = "22";
    visit.extra =
        "<SIMPList><SecondaryVisit><NoAmbL>500</NoAmbL><dateAmbL>2023-04-03</dateAmbL>"
        "</SecondaryVisit></SIMPList><Procedure><imeP>рехабилитация</imeP><kodP>93.11</kodP>"
        "<CountP>10</CountP></Procedure>";
    rehabilitation.doctors[0].sheets = {visit};
    ReportInput practice;
    practice.doctors.resize(2);
    practice.doctors[1].uin = "0400000002";
    for (int i = 0; i < 4; ++i) {
        SheetInput sheet;
        sheet.noAl = std::to_string(300001 + i);
        sheet.egn = i % 2 == 0 ? "7501020018" : "8001010005";
        sheet.extra = sampleDocuments(2018);
        practice.doctors[static_cast<std::size_t>(i % 2)].sheets.push_back(sheet);
    }
    dateWithin(2018, practice);
    const std::map<std::string, std::string> files = {
        {"@stopped", file("stopped.xml", reportXml(stopped))},
        {"@folder", dir.file("folder")},
        {"@rehabilitation", file("rehabilitation.xml", reportXml(rehabilitation))},
        {"@practice", file("practice.xml", reportXml(practice))}};

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PracticeDatabase fresh;
        {
            Committed db(fresh.path());
            std::istringstream statements(c.setUp);
            for (std::string sql; std::getline(statements, sql, ';');)
                if (sql.find_first_not_of(' ') != std::string::npos)
                    db.value(sql);
        }
        std::string words = c.run;
        for (const auto& [name, path] : files)
            if (const std::size_t at = words.find(name); at != std::string::npos)
                words.replace(at, name.size(), path);
        const TableContents before = tableContents(fresh.path());
        const ProgramRun run =
            runImport("run " + words + " --db '" + fresh.path() + "' --log '" + dir.file("k.log") + "'");
        ASSERT_EQ(run.exitCode, c.runExit) << run.err;
        ASSERT_NE(tableContents(fresh.path()), before);
        const ProgramRun taken =
            runImport("undo --db '" + fresh.path() + "' 1 --log '" + dir.file("k.log") + "'");
        EXPECT_EQ(taken.exitCode, 0) << taken.out << taken.err;
        EXPECT_EQ(tableContents(fresh.path()), before);
        EXPECT_NE(runImport("runs --db '" + fresh.path() + "' --json").out.find("\"state\": \"undone\""),
                  std::string::npos);
        const ProgramRun again =
            runImport("undo --db '" + fresh.path() + "' 1 --log '" + dir.file("k.log") + "'");
        EXPECT_EQ(again.exitCode, 2);
        EXPECT_NE(again.err.find("вече е отменен"), std::string::npos) << again.err;
    }
}

// Two runs of the same patients: the later one taken back alone leaves the earlier whole;
// the earlier needs --force and keeps what the later one uses.
TEST_F(Undo, RunsSharingPatients) {
    const std::string first = file("first.xml", report(3));
    const std::string second = file("second.xml", report(3, 200001));
    ASSERT_EQ(import("--xml '" + first + "'").exitCode, 0);
    const TableContents afterFirst = tableContents(database.path());
    ASSERT_EQ(import("--xml '" + second + "'").exitCode, 0);

    const ProgramRun refused = undo(1);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("GEN_PREGLED_ID"), std::string::npos) << refused.err;

    const ProgramRun forced = undo(1, "--force --summary json");
    EXPECT_EQ(forced.exitCode, 1) << forced.err;
    EXPECT_NE(forced.out.find("\"state\": \"partly undone\""), std::string::npos) << forced.out;
    EXPECT_EQ(count("PREGLED WHERE AMB_LISTN STARTING WITH '1'"), 0);
    EXPECT_EQ(count("PREGLED WHERE AMB_LISTN STARTING WITH '2'"), 3);
    EXPECT_EQ(count("PACIENT"), 2);  // the second run's examinations are theirs
    EXPECT_EQ(count("DOCTOR"), 1);

    // The other order, on a database of its own.
    const PracticeDatabase other;
    const auto run = [&](const std::string& words) {
        return runImport(words + " --db '" + other.path() + "' --log '" + dir.file("k.log") + "'");
    };
    ASSERT_EQ(run("run --nrd 2022 --create-doctor --xml '" + first + "'").exitCode, 0);
    const TableContents otherAfterFirst = tableContents(other.path());
    ASSERT_EQ(run("run --nrd 2022 --create-doctor --xml '" + second + "'").exitCode, 0);
    EXPECT_EQ(run("undo 2").exitCode, 0);
    EXPECT_EQ(tableContents(other.path()), otherAfterFirst);
    (void)afterFirst;
}

// A row changed since the run stays, with its patient and its documents; the dry run
// first changes nothing; a second undo is refused.
TEST_F(Undo, ChangedExaminationIsKeptWithItsPatientAndDocuments) {
    ASSERT_EQ(import("--xml '" + file("r.xml", report(4)) + "'").exitCode, 0);
    Committed(database.path()).value("UPDATE PREGLED SET ANAMN = 'от лекаря' WHERE AMB_LISTN = '100001'");
    const TableContents changed = tableContents(database.path());

    const ProgramRun dry = undo(1, "--dry-run --summary json");
    EXPECT_EQ(dry.exitCode, 1) << dry.err;
    EXPECT_NE(dry.out.find("\"dry_run\": true"), std::string::npos) << dry.out;
    EXPECT_EQ(tableContents(database.path()), changed);

    const ProgramRun taken = undo(1);
    EXPECT_EQ(taken.exitCode, 1) << taken.err;
    EXPECT_NE(taken.out.find("променен след импорта"), std::string::npos) << taken.out;
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(count("PREGLED WHERE AMB_LISTN = '100001' AND ANAMN = 'от лекаря'"), 1);
    EXPECT_EQ(count("PACIENT WHERE EGN = '7501020018'"), 1);
    EXPECT_EQ(count("PACIENT"), 1);
    for (const char* table : {"EXAM_IMMUNIZATION", "BLANKA_MED_NAPR", "EXAM_BOLN_LIST"})
        EXPECT_EQ(count(std::string(table) + " WHERE PREGLED_ID = (SELECT ID FROM PREGLED)"),
                  count(table))
            << table;
    EXPECT_GT(count("EXAM_IMMUNIZATION"), 0);

    EXPECT_EQ(undo(1).exitCode, 1);  // partly undone: what is left may be tried again
    EXPECT_EQ(undo(7).exitCode, 2);  // no such run
}

// A child import killed at any moment leaves a journal that names exactly the rows the
// tables hold.
TEST_F(Undo, JournalStaysInStepThroughAHardKill) {
    const std::string big = file("big.xml", report(300));
    for (const int sheets : {3, 40}) {
        SCOPED_TRACE(sheets);
        const PracticeDatabase fresh;
        const std::string log = dir.file("kill" + std::to_string(sheets) + ".log");
        const std::string command = std::string("exec ") + KALVEX_IMPORT + " run --nrd 2022 --xml '" +
                                    big + "' --db '" + fresh.path() + "' --create-doctor --log '" +
                                    log + "' >/dev/null 2>&1";
        const pid_t child = fork();
        if (child == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        const auto logged = [&] {
            const std::string text = common::fromCp1251(readBytes(log));
            int n = 0;
            for (std::size_t at = text.find("Импортиране на първичен АЛ"); at != std::string::npos;
                 at = text.find("Импортиране на първичен АЛ", at + 1))
                ++n;
            return n;
        };
        while (std::chrono::steady_clock::now() < deadline && logged() < sheets)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        Committed db(fresh.path());
        std::map<std::string, std::int64_t> journaled;
        db::Statement& batches = db.statement("SELECT ENTRIES FROM KALVEX_RUN_ROWS");
        for (bool row = batches.fetch(); row; row = batches.fetch()) {
            std::istringstream lines(std::get<std::string>(batches.column(0)));
            for (std::string line; std::getline(lines, line);)
                if (line.rfind("I\t", 0) == 0)
                    ++journaled[line.substr(2, line.find('\t', 2) - 2)];
        }
        for (const char* table : {"DOCTOR", "PACIENT", "PREGLED", "EXAM_IMMUNIZATION",
                                  "FREE_RECIPE", "EXAM_BOLN_LIST", "EXAM_ANALYSIS"})
            EXPECT_EQ(db.count(table), journaled[table]) << table;
    }
}

}  // namespace
}  // namespace kalvex::testing
