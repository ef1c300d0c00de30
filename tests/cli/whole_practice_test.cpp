// `kalvex-import run --all-doctors`: every doctor of a group practice's e-reports under
// the database doctor of his UIN, with a summary per doctor that adds up to the run's;
// and, without it, a folder's other doctors named instead of passed over in silence.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "support/committed.h"
#include "support/database_state.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/report_builder.h"
#include "support/run_summary.h"
#include "support/sample_documents.h"
#include "support/summary_rows.h"
#include "support/temp_dir.h"

namespace kalvex::testing {
namespace {

// A doctor of the e-report with `sheets` sheets of every document, numbered from `first`.
DoctorInput doctor(const std::string& uin, const std::string& name, const std::string& simpCode,
                   int sheets, int first, int year) {
    DoctorInput d;
    d.uin = uin;
    d.fullName = name;
    d.simpCode = simpCode;
    const std::vector<std::string> patients = {"7501020018", "8001010005", "6101010013"};
    for (int i = 0; i < sheets; ++i) {
        SheetInput s;
        s.noAl = std::to_string(first + i);
        s.egn = patients[static_cast<std::size_t>(first + i) % patients.size()];
        s.extra = sampleDocuments(year);
        d.sheets.push_back(s);
    }
    return d;
}

std::string practiceReport(int year, std::vector<DoctorInput> doctors) {
    ReportInput report;
    report.doctors = std::move(doctors);
    dateWithin(year, report);
    return reportXml(report);
}

class WholePractice : public ::testing::Test {
  protected:
    std::string file(const std::string& name, const std::string& content) {
        const std::string path = dir.file(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeBytes(path, content);
        return path;
    }
    ProgramRun run(const std::string& words) {
        return runImport("run " + words + " --db '" + database.path() + "' --log '" + logFile() +
                         "' --summary json");
    }
    // DOCTOR.ID of a new database doctor of `uin` and SPECIALITY.ID `speciality`.
    std::int32_t addDoctor(const std::string& uin, int speciality) {
        Committed db(database.path());
        db.value("INSERT INTO DOCTOR (UIN, SPECIALITY_ID, FNAME, LNAME) VALUES (:U, :S, 'Д', 'Д')",
                 {{"U", uin}, {"S", std::int64_t{speciality}}});
        return static_cast<std::int32_t>(
            std::get<std::int64_t>(db.value("SELECT MAX(ID) FROM DOCTOR")));
    }
    std::int64_t examinationsOf(std::int32_t doctorId) {
        return Committed(database.path())
            .count("PREGLED WHERE DOCTOR_ID = :D", {{"D", std::int64_t{doctorId}}});
    }
    std::string logFile() const { return dir.file("kalvex.log"); }
    std::string log() const { return common::fromCp1251(readBytes(logFile())); }

    TempDir dir;
    PracticeDatabase database;
};

// The doctors' blocks add up to the run's counts, kind by kind.
void expectSharesAddUp(const RunSummary& summary) {
    for (const auto& [kind, total] : summary.kinds) {
        SummaryCounts sum;
        for (const SummaryDoctor& doctor : summary.doctors) {
            const SummaryCounts& c = doctor.kinds.at(kind);
            sum.written += c.written;
            sum.existing += c.existing;
            sum.notFound += c.notFound;
            sum.failed += c.failed;
        }
        EXPECT_EQ(sum.written, total.written) << kind;
        EXPECT_EQ(sum.existing, total.existing) << kind;
        EXPECT_EQ(sum.notFound, total.notFound) << kind;
        EXPECT_EQ(sum.failed, total.failed) << kind;
    }
}

// Three doctors: one database doctor of the UIN is his whatever its speciality; of
// several, the one of the e-report's speciality, else the first.
TEST_F(WholePractice, EachDoctorGoesToTheDatabaseDoctorOfHisUin) {
    const std::int32_t a = addDoctor("0400000001", 3);   // the only one: code 00 or not
    const std::int32_t b1 = addDoctor("0400000002", 1);
    const std::int32_t b6 = addDoctor("0400000002", 6);  // code 05, no longer current: B's
    const std::int32_t b3 = addDoctor("0400000002", 3);  // code 05 too, but after b6
    const std::int32_t c1 = addDoctor("0400000003", 1);  // neither is 14: the first
    addDoctor("0400000003", 4);
    const std::string report = file(
        "practice.xml",
        practiceReport(2018, {doctor("0400000001", "Мария Иванова Петрова", "00", 2, 1001, 2018),
                              doctor("0400000002", "Петър Николов Димов", "05", 1, 2001, 2018),
                              doctor("0400000003", "Елена Стоянова Колева", "14", 2, 3001, 2018)}));

    const DatabaseState before = databaseState(database.path());
    const ProgramRun first = run("--nrd 2018 --xml '" + report + "' --all-doctors");
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(writtenMismatches(first.out, before, databaseState(database.path())),
              std::vector<std::string>{});
    EXPECT_EQ(examinationsOf(a), 2);
    EXPECT_EQ(examinationsOf(b6), 1);
    EXPECT_EQ(examinationsOf(b1) + examinationsOf(b3), 0);
    EXPECT_EQ(examinationsOf(c1), 2);

    const RunSummary summary = parseSummary(first.out);
    ASSERT_EQ(summary.doctors.size(), 3U);
    const std::vector<std::pair<std::string, std::int32_t>> expected = {
        {"0400000001", a}, {"0400000002", b6}, {"0400000003", c1}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(summary.doctors[i].uin, expected[i].first);
        EXPECT_EQ(summary.doctors[i].databaseDoctorId, expected[i].second);
    }
    EXPECT_EQ(summary.doctors[1].name, "Петър Николов Димов");
    EXPECT_EQ(summary.doctors[2].kinds.at("examinations").written, 2);
    expectSharesAddUp(summary);

    const ProgramRun second = run("--nrd 2018 --xml '" + report + "' --all-doctors");
    ASSERT_EQ(second.exitCode, 0) << second.err;
    const RunSummary again = parseSummary(second.out);
    for (const auto& [kind, counts] : again.kinds)
        EXPECT_EQ(counts.written, 0) << kind;
    EXPECT_EQ(again.kinds.at("examinations").existing, 5);
    expectSharesAddUp(again);
}

// A doctor the database lacks: created only where NRD 2022 can and is asked to,
// otherwise his sheets are passed over, told in the log and the summary.
TEST_F(WholePractice, ADoctorTheDatabaseLacks) {
    const struct Case {
        int year;
        const char* more;
        bool created;
    } cases[] = {
        {2018, "--create-doctor", false},
        {2021, "--create-doctor", false},
        {2022, "", false},
        {2022, "--create-doctor", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + " " + c.more);
        const PracticeDatabase fresh;
        const std::string report =
            file("missing" + std::to_string(c.year) + ".xml",
                 practiceReport(c.year, {doctor("0400000009", "Иван Тодоров Генов", "00", 3,
                                                5001, c.year)}));
        const ProgramRun result = runImport("run --nrd " + std::to_string(c.year) + " --xml '" +
                                            report + "' --all-doctors " + c.more + " --db '" +
                                            fresh.path() + "' --log '" + logFile() +
                                            "' --summary json");
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const RunSummary summary = parseSummary(result.out);
        ASSERT_EQ(summary.doctors.size(), 1U);
        const std::int64_t written = Committed(fresh.path()).count("PREGLED");
        if (c.created) {
            EXPECT_TRUE(summary.doctors[0].databaseDoctorId.has_value());
            EXPECT_EQ(written, 3);
            EXPECT_EQ(summary.kinds.at("doctors").written, 1);
        } else {
            EXPECT_FALSE(summary.doctors[0].databaseDoctorId.has_value());
            EXPECT_EQ(written, 0);
            EXPECT_EQ(summary.kinds.at("examinations").notFound, 3);
            EXPECT_NE(log().find("Лекарят Иван Тодоров Генов (УИН 0400000009) няма в базата на "
                                 "Salvix: 3 амбулаторни листа не са импортирани."),
                      std::string::npos);
        }
        expectSharesAddUp(summary);
    }
    // The table names him in his block's heading.
    const std::string report = file("missing-table.xml",
                                    practiceReport(2018, {doctor("0400000009", "Иван Тодоров Генов",
                                                                 "00", 2, 6001, 2018)}));
    const ProgramRun table = runImport("run --nrd 2018 --xml '" + report +
                                       "' --all-doctors --db '" + database.path() + "' --log '" +
                                       logFile() + "'");
    EXPECT_NE(table.out.find("Лекар Иван Тодоров Генов, УИН 0400000009: няма в базата, 2 "
                             "амбулаторни листа не са импортирани"),
              std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("Общо за всички лекари:"), std::string::npos);
}

// A folder of two group practices' files of two versions, with the doctor B in both.
class PracticeFolder : public WholePractice {
  protected:
    void SetUp() override {
        a = addDoctor("0400000001", 1);
        b = addDoctor("0400000002", 1);
        c = addDoctor("0400000003", 1);
        file("folder/a.xml",
             practiceReport(2015,
                            {doctor("0400000001", "Мария Иванова Петрова", "00", 2, 1001, 2015),
                             doctor("0400000002", "Петър Николов Димов", "00", 1, 2001, 2015)}));
        file("folder/b.xml",
             practiceReport(2018,
                            {doctor("0400000002", "Петър Николов Димов", "00", 2, 2101, 2018),
                             doctor("0400000003", "Елена Стоянова Колева", "00", 3, 3001, 2018)}));
    }
    const std::string folder() const {
        return "--nrd auto --folder '" + dir.file("folder") + "'";
    }
    std::int32_t a = 0, b = 0, c = 0;
};

// Each doctor's sheets under his doctor, one block per doctor across the files.
TEST_F(PracticeFolder, EveryDoctorOfEveryFile) {
    const DatabaseState before = databaseState(database.path());
    const ProgramRun all = run(folder() + " --all-doctors");
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(writtenMismatches(all.out, before, databaseState(database.path())),
              std::vector<std::string>{});
    EXPECT_EQ(examinationsOf(a), 2);
    EXPECT_EQ(examinationsOf(b), 3);
    EXPECT_EQ(examinationsOf(c), 3);
    const RunSummary summary = parseSummary(all.out);
    ASSERT_EQ(summary.doctors.size(), 3U);
    EXPECT_EQ(summary.doctors[1].kinds.at("examinations").written, 3);
    EXPECT_EQ(summary.kinds.at("examinations").leftOut, 0);
    EXPECT_EQ(summary.files, (std::vector<SummaryFile>{{dir.file("folder/a.xml"), "2015"},
                                                       {dir.file("folder/b.xml"), "2018"}}));
    expectSharesAddUp(summary);
}

// Without --all-doctors, each file's first doctor only; the others are named in the
// log and their sheets counted as skipped.
TEST_F(PracticeFolder, WithoutTheOptionTheOthersAreNamed) {
    const ProgramRun firstOnly = run(folder() + " --doctor " + std::to_string(a));
    ASSERT_EQ(firstOnly.exitCode, 0) << firstOnly.err;
    EXPECT_EQ(examinationsOf(a), 2 + 2);  // the first doctors of a.xml and b.xml
    const RunSummary summary = parseSummary(firstOnly.out);
    EXPECT_EQ(summary.kinds.at("examinations").leftOut, 1 + 3);
    EXPECT_TRUE(summary.doctors.empty());
    const std::string text = log();
    EXPECT_NE(text.find("a.xml се импортират само листовете на Мария Иванова Петрова (УИН "
                        "0400000001, 2 амб.листа); не са импортирани листовете на Петър "
                        "Николов Димов (УИН 0400000002, 1 амб.листа)."),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("b.xml се импортират само листовете на Петър Николов Димов (УИН "
                        "0400000002, 2 амб.листа); не са импортирани листовете на Елена "
                        "Стоянова Колева (УИН 0400000003, 3 амб.листа)."),
              std::string::npos);
}

TEST_F(WholePractice, NotWithAChosenDoctor) {
    const std::string report =
        file("r.xml", practiceReport(2018, {doctor("0400000001", "Мария Петрова", "00", 1, 1, 2018)}));
    for (const char* chosen : {"--doctor 1", "--xml-doctor 0"}) {
        const ProgramRun refused = run("--nrd 2018 --xml '" + report + "' --all-doctors " + chosen);
        EXPECT_EQ(refused.exitCode, 2) << chosen;
        EXPECT_NE(refused.err.find("--all-doctors"), std::string::npos) << refused.err;
    }
}

}  // namespace
}  // namespace kalvex::testing
