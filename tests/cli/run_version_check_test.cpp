// `kalvex-import` and the NRD version of each e-report: a file that does not fit --nrd
// is refused before anything is written, --ignore-version-check imports it anyway, and
// --nrd auto takes each file's own version.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/committed.h"
#include "support/database_state.h"
#include "support/practice_database.h"
#include "support/program_run.h"
#include "support/report_builder.h"
#include "support/run_summary.h"
#include "support/sample_files.h"
#include "support/temp_dir.h"

namespace kalvex {
namespace {

using testing::ProgramRun;

class RunVersionCheck : public ::testing::Test {
  protected:
    RunVersionCheck() {
        testing::Committed db(database_.path());
        db.value(
            "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES "
            "('2300010001', 1, '6405181123', 'Огнян', 'Петров', 'Илчев')");
        doctor_ = std::to_string(std::get<std::int64_t>(db.value("SELECT MAX(ID) FROM DOCTOR")));
    }

    ProgramRun run(const std::string& arguments, const std::string& database = "") {
        return testing::runImport(
            "run " + arguments + " --db '" + (database.empty() ? database_.path() : database) +
            "' --doctor " + doctor_ + " --summary json --log '" + dir_.file("kalvex.log") + "'");
    }

    // A folder of the samples `files`, under their own names.
    std::string folderOf(const std::vector<std::string>& files) {
        const std::string folder = dir_.file("reports");
        std::filesystem::create_directory(folder);
        for (const std::string& file : files)
            std::filesystem::copy_file(testing::samplePath(file), folder + "/" + file);
        return folder;
    }

    std::string written(const std::string& name, const testing::ReportInput& report) {
        const std::string file = dir_.file(name);
        testing::writeBytes(file, testing::reportXml(report));
        return file;
    }

    testing::TempDir dir_;
    testing::PracticeDatabase database_;
    std::string doctor_;
};

TEST_F(RunVersionCheck, EachSampleIsRefusedUnderAnotherVersionBeforeAnythingIsWritten) {
    const testing::DatabaseState before = testing::databaseState(database_.path());
    for (std::size_t i = 0; i < std::size(testing::kSampleFiles); ++i) {
        const testing::SampleFile& sample = testing::kSampleFiles[i];
        // The next version up; for NRD 2022 the one before.
        const int other = sample.year == 2022 ? 2021 : testing::kSampleFiles[i + 1].year;
        SCOPED_TRACE(std::string(sample.file) + " as NRD " + std::to_string(other));
        const std::string path = testing::samplePath(sample.file);
        const ProgramRun refused = run("--nrd " + std::to_string(other) + " --xml '" + path + "'");
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.out, "");
        const std::string own = std::to_string(sample.year);
        EXPECT_EQ(refused.err.rfind("Файл " + path + ": Избрано е НРД " + std::to_string(other) +
                                        ", а прегледите във файла са от ",
                                    0),
                  0u)
            << refused.err;
        EXPECT_NE(refused.err.find(" (НРД " + own + ").\nИзберете --nrd " + own +
                                   " или добавете --ignore-version-check, за да се импортира все "
                                   "пак с НРД " +
                                   std::to_string(other) + ".\n"),
                  std::string::npos)
            << refused.err;
    }
    EXPECT_TRUE(testing::databaseState(database_.path()) == before);
}

TEST_F(RunVersionCheck, IgnoringTheCheckImportsUnderTheGivenVersion) {
    const ProgramRun result =
        run("--nrd 2022 --ignore-version-check --xml '" + testing::samplePath("nrd2015.xml") + "'");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const testing::RunSummary summary = testing::parseSummary(result.out);
    EXPECT_EQ(summary.files,
              (std::vector<testing::SummaryFile>{{testing::samplePath("nrd2015.xml"), "2022"}}));
    EXPECT_EQ(summary.kinds.at("examinations").written, 3);
}

TEST_F(RunVersionCheck, AutoOnAFolderOfThreeVersionsWritesWhatThreeRunsWithTheRightVersionWrite) {
    const std::vector<std::string> files = {"nrd2009.xml", "nrd2015.xml", "nrd2022-gp.xml"};
    const std::string folder = folderOf(files);
    const ProgramRun automatic = run("--nrd auto --folder '" + folder + "'");
    ASSERT_EQ(automatic.exitCode, 0) << automatic.err;
    EXPECT_EQ(testing::parseSummary(automatic.out).files,
              (std::vector<testing::SummaryFile>{{folder + "/nrd2009.xml", "2009"},
                                                 {folder + "/nrd2015.xml", "2015"},
                                                 {folder + "/nrd2022-gp.xml", "2022"}}));

    testing::PracticeDatabase separate;
    {
        testing::Committed db(separate.path());
        db.value(
            "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES "
            "('2300010001', 1, '6405181123', 'Огнян', 'Петров', 'Илчев')");
    }
    for (const testing::SampleFile& sample : testing::kSampleFiles) {
        if (std::find(files.begin(), files.end(), sample.file) == files.end())
            continue;
        const ProgramRun one = run("--nrd " + std::to_string(sample.year) + " --xml '" +
                                       testing::samplePath(sample.file) + "'",
                                   separate.path());
        ASSERT_EQ(one.exitCode, 0) << sample.file << "\n" << one.err;
    }
    EXPECT_TRUE(testing::databaseState(database_.path()).withoutJournal() ==
                testing::databaseState(separate.path()).withoutJournal());
    const std::string examinations =
        "SELECT LIST(AMB_LISTN || ' ' || START_DATE || ' ' || PACIENT_ID || ' ' || "
        "COALESCE(PAY, '-') || COALESCE(IS_CONSULTATION, '-'), ', ') FROM (SELECT * FROM PREGLED "
        "ORDER BY ID)";
    const common::Variant both = testing::Committed(database_.path()).value(examinations);
    EXPECT_EQ(both, testing::Committed(separate.path()).value(examinations));
    ASSERT_TRUE(std::holds_alternative<std::string>(both));
    for (const char* sheet : {"000901 2009-11-07", "001503 2015-03-18", "002203 2023-04-18"})
        EXPECT_NE(std::get<std::string>(both).find(sheet), std::string::npos) << sheet;

    // The same folder under one version is refused whole: nothing is written.
    testing::PracticeDatabase untouched;
    const testing::DatabaseState before = testing::databaseState(untouched.path());
    const ProgramRun fixed = run("--nrd 2015 --folder '" + folder + "'", untouched.path());
    EXPECT_EQ(fixed.exitCode, 2);
    EXPECT_EQ(fixed.err.rfind("Файл " + folder + "/nrd2009.xml: Избрано е НРД 2015", 0), 0u)
        << fixed.err;
    EXPECT_TRUE(testing::databaseState(untouched.path()) == before);
}

TEST_F(RunVersionCheck, AutoRefusesAFileNoOneVersionFits) {
    const auto dated = [](const std::vector<std::string>& dates) {
        testing::ReportInput report;
        for (const std::string& date : dates) {
            testing::SheetInput sheet;
            sheet.noAl = date;
            sheet.dataAl = date;
            report.doctors[0].sheets.push_back(sheet);
        }
        return report;
    };
    testing::ReportInput unreadable = dated({"2023-04-07"});
    unreadable.doctors[0].sheets[0].extra = "<VisitFor><Consult>true</Consult></VisitFor>";
    const struct Case {
        const char* label;
        testing::ReportInput report;
        std::string reason;
    } cases[] = {
        {"two periods", dated({"2014-12-20", "2015-01-10"}),
         "Прегледите във файла са от 12.2014 до 01.2015 (НРД 2009 и НРД 2015). Файлът съдържа "
         "прегледи от периодите на различни НРД."},
        {"NRD 2003", dated({"2004-06-01"}),
         "Прегледите във файла са от 06.2004 (НРД 2003). С НРД 2003 не се импортира нищо."},
        {"unread by its version", unreadable,
         "Прегледите във файла са от 04.2023 (НРД 2022), но НРД 2022 не може да прочете АЛ № "
         "2023-04-07, VisitFor/Consult „true“: Could not convert variant of type (String) into "
         "type (Integer)."},
    };
    const testing::DatabaseState before = testing::databaseState(database_.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string file = written("r.xml", c.report);
        const ProgramRun refused = run("--nrd auto --xml '" + file + "'");
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.err, "Файл " + file + ": " + c.reason +
                                   "\nПосочете НРД с --nrd ГОДИНА (и с --ignore-version-check, за "
                                   "да се импортира все пак с него).\n");
    }
    EXPECT_TRUE(testing::databaseState(database_.path()) == before);
}

TEST_F(RunVersionCheck, AutoAndTheCheckAreOptionsOfTheirOwn) {
    const std::string file = testing::samplePath("nrd2015.xml");
    const struct Case {
        std::string arguments;
        int exitCode;
        std::string err;  // a part of it
    } cases[] = {
        {"run --nrd auto --ignore-version-check --xml '" + file + "' --db x.fdb", 2,
         "--ignore-version-check needs --nrd YEAR, not --nrd auto"},
        {"run --nrd Auto --xml '" + file + "' --db x.fdb", 2, "Unknown NRD year Auto"},
        {"list-doctors --nrd auto --xml '" + file + "'", 0, "НРД 2015\n"},
        {"list-doctors --nrd auto --xml '" + testing::samplePath("nrd2022-s.xml") + "'", 0,
         "НРД 2022\n"},
        {"--help", 0, "--nrd auto            each file under the version it clearly belongs"},
        {"--help", 0, "--ignore-version-check import under --nrd YEAR without the check"},
    };
    for (const Case& c : cases) {
        const ProgramRun result = testing::runImport(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.err;
        EXPECT_NE((result.err + result.out).find(c.err), std::string::npos)
            << c.arguments << "\n"
            << result.err << result.out;
    }
    const ProgramRun listed = testing::runImport("list-doctors --nrd auto --xml '" + file + "'");
    EXPECT_EQ(listed.out, testing::runImport("list-doctors --nrd 2015 --xml '" + file + "'").out);
    EXPECT_FALSE(listed.out.empty());

    testing::ReportInput straddling;
    for (const char* date : {"2014-12-20", "2015-01-10"}) {
        testing::SheetInput sheet;
        sheet.dataAl = date;
        straddling.doctors[0].sheets.push_back(sheet);
    }
    const ProgramRun refused =
        testing::runImport("list-doctors --nrd auto --xml '" + written("r.xml", straddling) + "'");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("(НРД 2009 и НРД 2015)"), std::string::npos) << refused.err;
}

}  // namespace
}  // namespace kalvex
