// The driver end to end: progress texts, one log line per sheet, the run's doctor, a
// second import that writes nothing, and a stopped sheet rolled back whole.
#include "engine_test.h"

#include "common/error.h"

namespace kalvex::engine {
namespace {

using testing::ReportInput;
using testing::SheetInput;

TEST_F(EngineTest, Nrd2022SheetBecomesPatientAndExaminationAndASecondImportWritesNothing) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput second;
    second.noAl = "000413";
    second.examType = "12";
    second.egn = "8001010005";
    const ReportInput report = withSheets({SheetInput{}, second});

    run(2022, report, under(doctor));
    EXPECT_EQ(count("PACIENT"), 2);
    EXPECT_EQ(count("PREGLED WHERE DOCTOR_ID = " + std::to_string(doctor)), 2);
    EXPECT_EQ(user.countTexts.front(), "Брой импортирани амбулаторни листа: 0 от 2 общо.");
    EXPECT_EQ(user.countTexts.back(), "Брой импортирани амбулаторни листа: 2 от 2 общо.");
    EXPECT_EQ(user.position, 2);
    EXPECT_EQ(user.maximum, 2);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "Импортиране на първичен АЛ № 000412 на Иван Петров Стоянов");

    log.clear();
    const ImportCounts again = run(2022, report, under(doctor));
    EXPECT_EQ(count("PACIENT"), 2);
    EXPECT_EQ(count("PREGLED"), 2);
    EXPECT_EQ(again[RowKind::examination].existing, 2);
    EXPECT_EQ(again[RowKind::examination].written, 0);
}

TEST_F(EngineTest, ExamTypeThatIsNoNumberStopsTheRunBeforeTheSheetsLogLine) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput bad;
    bad.noAl = "000413";
    bad.examType = "A1";
    bad.egn = "8001010005";
    try {
        run(2022, withSheets({SheetInput{}, bad}), under(doctor));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'A1' is not a valid integer value");
    }
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(count("PACIENT"), 1);
    for (const std::string& line : log)
        EXPECT_EQ(line.find("000413"), std::string::npos) << line;
}

// A sheet that fails half-way leaves nothing behind: its new patient goes with it, the
// log says why, and the sheets before it stay.
TEST_F(EngineTest, StoppedSheetIsRolledBackWholeAndEarlierSheetsStay) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput bad;
    bad.noAl = "000413";
    bad.egn = "8001010005";
    bad.flags = "<Sign>да</Sign><Pay>1</Pay><Incidentally>0</Incidentally><Disadv>0</Disadv>";
    EXPECT_THROW(run(2022, withSheets({SheetInput{}, bad}), under(doctor)), Error);
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(count("PACIENT"), 1);
    EXPECT_EQ(count("PACIENT WHERE EGN = '8001010005'"), 0);
    EXPECT_EQ(log.back().rfind("Амбулаторният лист с номер 000413 не е импортиран: ", 0), 0u)
        << log.back();
}

TEST_F(EngineTest, StoppedRunStillCountsWhatCameBeforeAndNamesItsSheet) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetInput bad;
    bad.noAl = "000413";
    bad.egn = "8001010005";
    bad.flags = "<Sign>да</Sign><Pay>1</Pay><Incidentally>0</Incidentally><Disadv>0</Disadv>";
    run(2022, withSheets({SheetInput{}}), under(doctor));  // a file before: counts add up
    const std::string file = dir.file("stopped.xml");
    testing::writeBytes(file, testing::reportXml(withSheets({SheetInput{}, bad})));
    ImportSettings settings = under(doctor);
    settings.nrdIndex = nrdIndex(2022);
    xml.XMLLoadFile(settings.nrdIndex, file);
    RunLedger ledger;
    ImportCounts before;
    before[RowKind::examination].written = 1;
    ledger.join(before);
    EXPECT_THROW(DoImport(dm, xml, settings, user, ledger), Error);
    const ImportCounts& total = ledger.counts();
    EXPECT_EQ(total[RowKind::examination].written, 1);
    EXPECT_EQ(total[RowKind::examination].existing, 1);
    EXPECT_EQ(total[RowKind::examination].failed, 1);
    // The stopped sheet's new patient was rolled back with it.
    EXPECT_EQ(total[RowKind::patient].written, 0);
    EXPECT_EQ(total.stoppedSheet, "000413");
}

TEST_F(EngineTest, WordForTheExamTypeInTheProgressLine) {
    struct Case {
        int year;
        std::vector<std::string> types;
        std::vector<std::string> lines;
    } cases[] = {
        // NRD 2022 starts every sheet without a word.
        {2022,
         {"11", "15", "", "12"},
         {"Импортиране на първичен АЛ № 1", "Импортиране на  АЛ № 2", "Импортиране на  АЛ № 3",
          "Импортиране на вторичен АЛ № 4"}},
        // Earlier versions keep the word for another number and drop it for no number.
        {2018,
         {"11", "15", "", "12"},
         {"Импортиране на първичен АЛ № 1", "Импортиране на първичен АЛ № 2",
          "Импортиране на  АЛ № 3", "Импортиране на вторичен АЛ № 4"}},
    };
    for (const Case& c : cases) {
        user = ScriptedUser{};
        std::vector<SheetInput> sheets;
        for (std::size_t i = 0; i < c.types.size(); ++i) {
            SheetInput s;
            s.noAl = std::to_string(i + 1);
            s.examType = c.types[i];
            sheets.push_back(s);
        }
        run(c.year, withSheets(sheets), under(addDoctor("04" + std::to_string(c.year), 1)));
        ASSERT_EQ(user.actions.size(), 5u);  // emptied first, then one per sheet
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(user.actions[i + 1], c.lines[i] + " на Иван Петров Стоянов") << c.year;
    }
}

TEST_F(EngineTest, Nrd2022DoctorIsLookedUpByUinAndSpecialityOrCreated) {
    const std::int32_t otherSpeciality = addDoctor("0400000001", 3);
    ReportInput report = withSheets({SheetInput{}});
    report.doctors[0].simpCode = "00";  // SPECIALITY.ID 1
    ImportSettings settings = under(otherSpeciality);
    settings.createDoctorIfMissing = true;
    run(2022, report, settings);

    // Another speciality is another doctor: created, named from the full name.
    EXPECT_EQ(count("DOCTOR WHERE UIN = '0400000001'"), 2);
    const auto created = value(
        "SELECT ID FROM DOCTOR WHERE UIN = '0400000001' AND SPECIALITY_ID = 1 AND FNAME = 'Мария' "
        "AND SNAME = 'Иванова' AND LNAME = 'Петрова' AND EGN = '6101010013' AND IS_EGN = 'Y'");
    ASSERT_FALSE(common::isNull(created));
    EXPECT_EQ(value("SELECT DOCTOR_ID FROM PREGLED"), created);

    // Found the next time; nothing is created twice.
    report.doctors[0].sheets[0].noAl = "000999";
    run(2022, report, settings);
    EXPECT_EQ(count("DOCTOR"), 2);
    EXPECT_EQ(count("PREGLED WHERE DOCTOR_ID = " + std::to_string(std::get<std::int64_t>(created))),
              2);
}

TEST_F(EngineTest, Nrd2022DoctorIsCreatedWhenTheDatabaseHasNone) {
    run(2022, withSheets({SheetInput{}}), under(0));
    EXPECT_EQ(count("DOCTOR WHERE UIN = '0400000001' AND SPECIALITY_ID = 1"), 1);
    EXPECT_EQ(count("PREGLED"), 1);
}

TEST_F(EngineTest, EarlierVersionWithoutADatabaseDoctorStopsInsteadOfWritingUnderNobody) {
    try {
        run(2018, withSheets({SheetInput{}}), under(0));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("няма лекар"), std::string::npos) << e.what();
    }
    EXPECT_EQ(count("PREGLED"), 0);
}

TEST_F(EngineTest, ChosenDoctorOfAReportWithSeveralIsTheOnlyOneImported) {
    ReportInput report;
    report.doctors.assign(3, testing::DoctorInput{});
    for (int d = 0; d < 3; ++d) {
        SheetInput s;
        s.noAl = std::to_string(100 + d);
        report.doctors[static_cast<std::size_t>(d)].sheets = {s};
    }
    ImportSettings settings = under(addDoctor("0400000001", 1));
    settings.xmlDoctorIndex = 1;
    run(2018, report, settings);
    EXPECT_EQ(count("PREGLED"), 1);
    EXPECT_EQ(count("PREGLED WHERE AMB_LISTN = '101'"), 1);
}

TEST_F(EngineTest, DoctorPositionBeyondTheReportIsAnError) {
    ImportSettings settings = under(addDoctor("0400000001", 1));
    settings.xmlDoctorIndex = 3;
    try {
        run(2018, withSheets({SheetInput{}}), settings);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "XML файлът няма лекар с пореден номер 3 (лекарите са 1)");
    }
}

TEST_F(EngineTest, Nrd2003ImportsAndLogsNothing) {
    run(2003, withSheets({SheetInput{}}), under(addDoctor("0400000001", 1)));
    EXPECT_EQ(count("PREGLED"), 0);
    EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace kalvex::engine
