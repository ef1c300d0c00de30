// The driver end to end: progress texts, one log line per sheet, the run's doctor, a
// second import that writes nothing, and a stopped sheet rolled back whole.
#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::ReportSpec;
using testing::SheetSpec;

ReportSpec oneDoctor(std::vector<SheetSpec> sheets) {
    ReportSpec report;
    report.doctors[0].sheets = std::move(sheets);
    return report;
}

TEST_F(EngineTest, Nrd2022SheetBecomesPatientAndExaminationAndASecondImportWritesNothing) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    SheetSpec second;
    second.noAl = "000413";
    second.examType = "12";
    second.egn = "8001010005";
    const ReportSpec report = oneDoctor({SheetSpec{}, second});

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

}  // namespace
}  // namespace kalvex::engine
