// `kalvex-import run` as a script would call it: exit codes, what stays committed after
// a stopped run, a folder's files in name order and hired doctors created on request.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/variant.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/report_builder.h"
#include "support/temp_dir.h"

namespace kalvex {
namespace {

using testing::ProgramRun;
using testing::ReportInput;
using testing::SheetInput;

SheetInput sheet(const std::string& noAl, const std::string& egn) {
    SheetInput s;
    s.noAl = noAl;
    s.egn = egn;
    return s;
}

ReportInput reportOf(std::vector<SheetInput> sheets) {
    ReportInput report;
    report.doctors[0].sheets = std::move(sheets);
    return report;
}

class RunImport : public ::testing::Test {
  protected:
    // Runs the import and checks the database afterwards through a connection of its own.
    ProgramRun run(const std::string& arguments) {
        return testing::runImport("run --db '" + database.path() + "' --log '" + logFile() + "' " +
                                  arguments);
    }
    std::string write(const std::string& name, const ReportInput& report) {
        const std::string file = dir.file(name);
        testing::writeBytes(file, testing::reportXml(report));
        return file;
    }
    common::Variant value(const std::string& sql, const db::Params& params = {}) {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database.path());
        common::Variant result = dm.SqlToValue(sql, params);
        db::GDBCloseDatabase(dm);
        return result;
    }
    std::int64_t count(const std::string& tableAndCondition) {
        return std::get<std::int64_t>(value("SELECT COUNT(*) FROM " + tableAndCondition));
    }
    std::int32_t addDoctor(const std::string& uin, const std::string& egn = "6101010013") {
        value(
            "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES (:U, 1, :E, "
            "'Мария', 'Иванова', 'Петрова')",
            {{"U", uin}, {"E", egn}});
        return static_cast<std::int32_t>(
            std::get<std::int64_t>(value("SELECT MAX(ID) FROM DOCTOR")));
    }
    std::string logFile() const { return dir.file("kalvex.log"); }
    std::string log() const { return common::fromCp1251(testing::readBytes(logFile())); }

    testing::TempDir dir;
    testing::PracticeDatabase database;
};

TEST_F(RunImport, BadInputExitsWith2AndImportsNothing) {
    addDoctor("0400000001");
    const std::string good = write("r.xml", reportOf({sheet("000001", "7501020018")}));
    testing::writeBytes(dir.file("broken.xml"), "<Practice><Doctor>");
    testing::writeBytes(dir.file("other.xml"), "<?xml version=\"1.0\"?><Report/>");
    std::filesystem::create_directory(dir.file("empty"));
    const struct Case {
        std::string arguments;
        std::string err;  // a part of what stderr must say
    } cases[] = {
        {"--nrd 2022", "one of --xml and --folder are required"},
        {"--nrd 2022 --xml '" + good + "' --folder '" + dir.path().string() + "'",
         "one of --xml and --folder are required"},
        {"--nrd 2020 --xml '" + good + "'", "Unknown NRD year 2020"},
        {"--nrd 2022 --xml '" + good + "' --edition x", "--edition takes gp or s"},
        {"--nrd 2022 --xml '" + good + "' --doctor abc", "Bad value of --doctor"},
        {"--nrd 2022 --xml '" + good + "' --doctor 99", "no doctor with ID 99"},
        {"--nrd 2022 --xml '" + good + "' --xml-doctor 1", "no doctor at position 1"},
        {"--nrd 2022 --xml '" + good + "' --hired-egn 123=1234", "Invalid EGN"},
        {"--nrd 2022 --xml '" + good + "' --hired-egn 7501020018", "UIN=EGN"},
        {"--nrd 2022 --xml '" + good + "' --bogus 1", "Unknown option --bogus"},
        {"--nrd 2022 --xml '" + good + "' --summary xml", "--summary takes table or json"},
        {"--nrd 2022 --xml", "Missing value of --xml"},
        {"--nrd 2022 --xml '" + dir.file("broken.xml") + "'", "broken.xml"},
        {"--nrd 2022 --xml '" + dir.file("other.xml") + "'",
         "Проверете дали избраното НРД съвпада с формата на файла"},
        {"--nrd 2022 --folder '" + dir.file("empty") + "'", "В посочената папка няма XML файлове!"},
    };
    for (const Case& c : cases) {
        const ProgramRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 2) << c.arguments;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << c.arguments << "\n" << result.err;
        EXPECT_EQ(result.out, "") << c.arguments;
    }
    EXPECT_EQ(count("PREGLED"), 0);
}

TEST_F(RunImport, UnopenableDatabaseExitsWith2) {
    const std::string good = write("r.xml", reportOf({sheet("000001", "7501020018")}));
    const std::string missing = dir.file("missing.fdb");
    const ProgramRun result = testing::runImport("run --nrd 2022 --xml '" + good + "' --db '" +
                                                 missing + "' --log '" + logFile() + "'");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Error while trying to open file"), std::string::npos) << result.err;
}

TEST_F(RunImport, CompletedRunExitsWith0AndCommitsAndPrintsWhatItDid) {
    const std::int32_t doctor = addDoctor("0400000001");
    const std::string file =
        write("r.xml", reportOf({sheet("000001", "7501020018"), sheet("000002", "8001010005")}));
    const ProgramRun result =
        run("--nrd 2022 --xml '" + file + "' --doctor " + std::to_string(doctor));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");  // not a terminal: no progress line
    // The table on stdout and in the log: two examinations written, nothing else counted.
    const std::regex examinations("Прегледи +2 +0 +0 +0 +0 +0");
    EXPECT_TRUE(std::regex_search(result.out, examinations)) << result.out;
    EXPECT_TRUE(std::regex_search(log(), examinations)) << log();
    EXPECT_EQ(result.out.find("Импортът спря"), std::string::npos) << result.out;
    EXPECT_EQ(count("PREGLED WHERE DOCTOR_ID = " + std::to_string(doctor)), 2);
    EXPECT_NE(log().find("Импортиране на първичен АЛ № 000002 на Иван Петров Стоянов"),
              std::string::npos);
}

TEST_F(RunImport, ErrorStopsTheRunWith1AndKeepsTheSheetsBeforeIt) {
    addDoctor("0400000001");
    SheetInput bad = sheet("000002", "8001010005");
    bad.examType = "A1";
    const std::string file = write(
        "r.xml", reportOf({sheet("000001", "7501020018"), bad, sheet("000003", "8001010005")}));
    // The preselected doctor.
    const ProgramRun result = run("--nrd 2022 --xml '" + file + "' --summary json");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("'A1' is not a valid integer value"), std::string::npos)
        << result.err;
    // stdout tells what came before the stop, and where and why it stopped (the sheet's
    // examination type is read before any of it is written: nothing was rolled back).
    EXPECT_NE(result.out.find("\"examinations\": {\"written\": 1, \"existing\": 0, "
                              "\"skipped\": {\"unknown_code\": 0, \"not_found\": 0, "
                              "\"left_out\": 0}, \"failed\": 0}"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"stopped\": {\"file\": \"" + file +
                              "\", \"sheet\": \"000002\", \"reason\": \"" +
                              result.err.substr(0, result.err.find('\n'))),
              std::string::npos)
        << result.out;
    EXPECT_NE(log().find("Импортът спря при файл " + file + ", амбулаторен лист № 000002"),
              std::string::npos);
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(std::get<std::string>(value("SELECT AMB_LISTN FROM PREGLED")), "000001");
}

TEST_F(RunImport, FolderImportsItsXmlFilesInNameOrderEachWithItsFirstDoctor) {
    const std::int32_t doctor = addDoctor("0400000001");
    const std::string folder = dir.file("reports");
    std::filesystem::create_directory(folder);
    ReportInput b = reportOf({sheet("000002", "8001010005")});
    b.doctors[0].uin = "0400000009";  // another doctor's file: still the chosen database doctor
    write("reports/b.xml", b);
    write("reports/a.xml", reportOf({sheet("000001", "7501020018")}));
    testing::writeBytes(folder + "/c.txt", "not an e-report");
    const ProgramRun result = run("--nrd 2022 --folder '" + folder + "' --summary json");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // One summary, the files' counts added up.
    EXPECT_NE(result.out.find("\"examinations\": {\"written\": 2,"), std::string::npos)
        << result.out;
    // Each file under the version it was imported with.
    EXPECT_NE(result.out.find("\"stopped\": null, \"files\": [{\"file\": \"" + folder +
                              "/a.xml\", \"nrd\": \"2022\"}, {\"file\": \"" + folder +
                              "/b.xml\", \"nrd\": \"2022\"}]}\n"),
              std::string::npos)
        << result.out;
    EXPECT_EQ(count("PREGLED WHERE DOCTOR_ID = " + std::to_string(doctor)), 2);
    const std::string text = log();
    const size_t first = text.find("АЛ № 000001");
    const size_t second = text.find("АЛ № 000002");
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_LT(first, second);
}

TEST_F(RunImport, HiredDoctorIsCreatedOnlyForAUinGivenAnEgn) {
    const std::int32_t doctor = addDoctor("0400000001");
    SheetInput hired = sheet("000002", "8001010005");
    hired.extra =
        "<Hired_Subst><H_S>0</H_S><UINH_S>0400000077</UINH_S><FullNameH_S>Петър Иванов "
        "Колев</FullNameH_S></Hired_Subst>";
    SheetInput other = sheet("000003", "7501020018");
    other.extra =
        "<Hired_Subst><H_S>1</H_S><UINH_S>0400000088</UINH_S><FullNameH_S>Анна "
        "Колева</FullNameH_S></Hired_Subst>";
    const std::string file =
        write("r.xml", reportOf({sheet("000001", "7501020018"), hired, other}));
    const ProgramRun result =
        run("--nrd 2022 --xml '" + file + "' --hired-egn 0400000077=8001010008");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(count("DOCTOR WHERE UIN = '0400000088'"), 0);
    ASSERT_EQ(count("DOCTOR WHERE UIN = '0400000077' AND EGN = '8001010008' AND IS_NAET = 'Y'"), 1);
    const auto hiredId =
        std::get<std::int64_t>(value("SELECT ID FROM DOCTOR WHERE UIN = '0400000077'"));
    EXPECT_EQ(
        count("PREGLED WHERE AMB_LISTN = '000002' AND DOCTOR_ID = " + std::to_string(hiredId)), 1);
    EXPECT_EQ(count("PREGLED WHERE AMB_LISTN = '000003' AND DOCTOR_ID = " + std::to_string(doctor)),
              1);
}

}  // namespace
}  // namespace kalvex
