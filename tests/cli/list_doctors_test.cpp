// kalvex-import list-doctors --nrd YEAR --xml FILE, run as the user runs it.
#include <gtest/gtest.h>

#include <string>

#include "support/program_run.h"

namespace kalvex::testing {
namespace {

using Outcome = ProgramRun;

class ListDoctorsTest : public ::testing::Test {
  protected:
    Outcome run(const std::string& arguments) { return runImport(arguments); }
    std::string file(const std::string& xml) {
        const std::string name = dir_.file("report.xml");
        writeBytes(name, xml);
        return "'" + name + "'";
    }

    TempDir dir_;
};

TEST_F(ListDoctorsTest, PrintsOneLinePerDoctor) {
    const std::string xml =
        "<Practice><Doctor><UIN>111</UIN><FullName>Иван Петров</FullName><AmbList/><AmbList/>"
        "</Doctor><Doctor><UIN>222</UIN><FullName>Мария</FullName></Doctor></Practice>";
    const Outcome r2018 = run("list-doctors --nrd 2018 --xml " + file(xml));
    EXPECT_EQ(r2018.exitCode, 0) << r2018.err;
    EXPECT_EQ(r2018.out, "0\t111\tИван Петров  (2 амб.листа)\n1\t222\tМария  (0 амб.листа)\n");
    const Outcome r2022 = run("list-doctors --xml " + file(xml) + " --nrd 2022");
    EXPECT_EQ(r2022.out, "0\t111\tИван Петров  (2 амб.листа)\n");
    const Outcome r2003 = run("list-doctors --nrd 2003 --xml " + file(xml));
    EXPECT_EQ(r2003.exitCode, 0);
    EXPECT_EQ(r2003.out, "");
}

TEST_F(ListDoctorsTest, InputAndUsageErrorsExitWithTwo) {
    const Outcome malformed = run("list-doctors --nrd 2022 --xml " + file("<Practice>"));
    EXPECT_EQ(malformed.exitCode, 2);
    EXPECT_NE(malformed.err.find("report.xml:1:"), std::string::npos) << malformed.err;

    const Outcome wrongRoot = run("list-doctors --nrd 2022 --xml " + file("<Report/>"));
    EXPECT_EQ(wrongRoot.exitCode, 2);
    EXPECT_EQ(wrongRoot.err,
              "Възникна грешка при четенето на XML файла. Проверете дали избраното НРД "
              "съвпада с формата на файла който сте избрали\n");
    EXPECT_EQ(wrongRoot.out, "");

    for (const char* arguments : {"list-doctors --nrd 2019 --xml x.xml", "list-doctors --nrd 2022",
                                  "list-doctors --xml x.xml", "list-doctors --nrd"}) {
        const Outcome usage = run(arguments);
        EXPECT_EQ(usage.exitCode, 2) << arguments;
        EXPECT_NE(usage.err.find("Usage: kalvex-import list-doctors"), std::string::npos)
            << arguments;
    }
}

}  // namespace
}  // namespace kalvex::testing
