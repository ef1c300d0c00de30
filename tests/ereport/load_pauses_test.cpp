// The caller's hook runs between blocks of every pass the loader makes over a file.
#include <gtest/gtest.h>

#include <string>

#include "ereport/xml_report.h"
#include "report_files.h"
#include "support/report_builder.h"

namespace kalvex::ereport {
namespace {

constexpr int kNrd2022 = 8;

// About 2 MB of sheets, with a DTD of its own when `ownDtd`.
std::string largeReport(bool ownDtd) {
    testing::ReportInput input;
    input.doctors[0].sheets.resize(5000);
    std::string xml = testing::reportXml(input);
    if (ownDtd) {
        std::string dtd = "<!DOCTYPE Practice [\n";
        for (const char* name :
             {"Practice", "PracticeCode", "PracticeName", "DateFrom", "DateTo",       "Doctor",
              "UIN",      "EGN",          "FullName",     "SIMPCode", "AmbList",      "NoAl",
              "dataAl",   "time",         "Patient",      "RZOK",     "ZdrRajon",     "Name",
              "Given",    "Sur",          "Family",       "Address",  "MainDiag",     "MKB",
              "imeMD",    "ExamType",     "Sign",         "Pay",      "Incidentally", "Disadv"})
            dtd += std::string("<!ELEMENT ") + name + " ANY>\n";
        xml.insert(xml.find("?>") + 2, "\n" + dtd + "]>");
    }
    return xml;
}

struct PauseCase {
    const char* name;
    bool ownDtd;
    // Passes over the whole file: reading it, checking its bytes, parsing it.
    std::size_t passes;
    // Hook runs the validation of its nodes adds at least.
    std::size_t validationRuns;
};

const PauseCase kPauseCases[] = {
    {"plain report", false, 3, 0},
    {"report with its own DTD", true, 3, 4},
};

class LoadPausesTest : public ::testing::TestWithParam<PauseCase> {};

TEST_P(LoadPausesTest, HookRunsAtLeastOncePerBlockOfEachPass) {
    const PauseCase& c = GetParam();
    testing::ReportFiles files;
    const std::string xml = largeReport(c.ownDtd);
    const std::string file = files.write(xml);
    std::size_t runs = 0;
    XmlReport report;
    const auto doctors = report.XMLLoadFile(kNrd2022, file, [&] { ++runs; });
    ASSERT_EQ(doctors.size(), 1u);
    EXPECT_EQ(report.Doctor2022().AmbList().GetCount(), 5000);
    const std::size_t blocks = xml.size() / BlockPacer::kBlockBytes;
    ASSERT_GE(blocks, 8u);
    EXPECT_GE(runs, c.passes * blocks + c.validationRuns);
    // Not at every read of a few kilobytes either: each run costs the caller a turn.
    EXPECT_LE(runs, 4 * (c.passes * blocks + c.validationRuns) + 8);
}

INSTANTIATE_TEST_SUITE_P(Reports, LoadPausesTest, ::testing::ValuesIn(kPauseCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (ch == ' ')
                                     ch = '_';
                             return name;
                         });

}  // namespace
}  // namespace kalvex::ereport
