// What a run keeps and counts when another program holds its rows, when a value does
// not fit its column, and when the transaction loses what it held.
#include <gtest/gtest.h>

#include <string>

#include "db/database_error.h"
#include "engine_test.h"

namespace kalvex::engine {
namespace {

using testing::ReportInput;
using testing::SheetInput;

// Another program's uncommitted row holding the key a sheet writes: the import cannot
// see it, so the duplicate is that program's, and the run stops at the sheet.
TEST_F(EngineTest, KeyHeldByAnotherProgramStopsTheRunAtThatSheet) {
    const std::int32_t doctor = addDoctor("0400000001", 1);
    value("INSERT INTO PACIENT (EGN, PID_TYPE) VALUES ('8001010005', 'E')");
    dm.traMain.commitRetaining();
    const auto patient = std::get<std::int64_t>(value("SELECT ID FROM PACIENT"));
    const struct Case {
        const char* what;
        std::string held;
        bool createDoctor;
        const char* secondPatient;
        int examinationsKept;
    } cases[] = {
        // The first sheet is kept, whole; the run's doctor comes before any sheet.
        {"the patient of the second sheet",
         "INSERT INTO PACIENT (EGN, PID_TYPE) VALUES ('7501020018', 'E')", false, "7501020018", 1},
        {"the examination of the second sheet",
         "INSERT INTO PREGLED (PACIENT_ID, DOCTOR_ID, START_DATE, AMB_LISTN, NRN) VALUES (" +
             std::to_string(patient) + ", " + std::to_string(doctor) +
             ", DATE '2023-04-07', '000002', '')",
         false, "8001010005", 1},
        {"the doctor the run creates",
         "INSERT INTO DOCTOR (UIN, SPECIALITY_ID) VALUES ('0400000002', 1)", true, "8001010005",
         0},
    };
    int file = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db::Tdm other;
        db::GDBOpenDatabase(other, database.path());
        other.SqlToValue(c.held);
        SheetInput first, second;
        first.noAl = "10000" + std::to_string(++file);
        first.egn = "8001010005";
        second.noAl = "000002";
        second.egn = c.secondPatient;
        ReportInput report = withSheets({first, second});
        ImportSettings settings = under(doctor);
        if (c.createDoctor) {
            report.doctors[0].uin = "0400000002";
            settings.createDoctorIfMissing = true;
        }
        const std::int64_t before = count("PREGLED");
        try {
            run(2022, report, settings);
            ADD_FAILURE() << "the run went on";
        } catch (const db::DatabaseError& e) {
            EXPECT_EQ(e.kind(), db::FailureKind::conflict);
            EXPECT_TRUE(db::isDuplicateKey(e.what()));
        }
        other.traMain.rollback();
        EXPECT_EQ(count("PREGLED") - before, c.examinationsKept);
    }
}

// A text longer than its column is the row's own data: from NRD 2018 on its patient's
// sheet is left out with the column named, earlier the run stops at it. One character
// less fits.
TEST_F(EngineTest, PatientValueLongerThanItsColumnIsNamedAndTheVersionsRuleKept) {
    const struct Case {
        int year;
        std::size_t length;  // of the given name; PACIENT.FNAME holds 50
        bool written, stops;
    } cases[] = {
        {2018, 50, true, false}, {2018, 51, false, false}, {2022, 51, false, false},
        {2015, 50, true, false}, {2015, 51, false, true},
    };
    int sheet = 0;
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.year) + "/" + std::to_string(c.length);
        SheetInput s;
        s.noAl = std::to_string(++sheet);
        s.egn = "750102" + std::to_string(1000 + sheet);
        s.given = std::string(c.length, 'x');
        log.clear();
        const std::int32_t doctor = addDoctor("04" + std::to_string(sheet), 1);
        if (c.stops) {
            EXPECT_THROW(run(c.year, withSheets({s}), under(doctor)), db::ValueTooLong) << label;
        } else {
            const ImportCounts counts = run(c.year, withSheets({s}), under(doctor));
            EXPECT_EQ(counts[RowKind::patient].written, c.written ? 1 : 0) << label;
            EXPECT_EQ(counts[RowKind::patient].skippedNotFound, c.written ? 0 : 1) << label;
        }
        EXPECT_EQ(count("PREGLED WHERE AMB_LISTN = '" + s.noAl + "'"), c.written ? 1 : 0)
            << label;
        const std::string named = "е по-дълга от полето PACIENT.FNAME (50 знака)";
        const bool told = std::any_of(log.begin(), log.end(), [&](const std::string& line) {
            return line.find(named) != std::string::npos;
        });
        EXPECT_EQ(told, !c.written) << label;
    }
}

TEST(RunLedger, ALostCommitTakesTheCountsSinceTheLastOne) {
    RunLedger ledger;
    ImportCounts sheet;
    sheet[RowKind::examination].written = 2;
    sheet[RowKind::patient].written = 1;
    sheet[RowKind::patient].existing = 1;
    ledger.join(sheet);
    ledger.committed();
    ledger.join(sheet);
    ledger.fail(RowKind::examination);
    ledger.loseUncommitted();
    EXPECT_EQ(ledger.counts()[RowKind::examination].written, 2);
    EXPECT_EQ(ledger.counts()[RowKind::examination].failed, 3);
    EXPECT_EQ(ledger.counts()[RowKind::patient].written, 1);
    EXPECT_EQ(ledger.counts()[RowKind::patient].existing, 2);  // found, and still there
    EXPECT_EQ(ledger.lost()[RowKind::examination].written, 2);
    EXPECT_EQ(ledger.lost()[RowKind::patient].written, 1);
    // Nothing more to lose once the loss is counted.
    ledger.loseUncommitted();
    EXPECT_EQ(ledger.lost()[RowKind::examination].written, 2);
}

// A whole-practice run's doctors keep their parts through a lost commit: the one whose
// work was committed keeps it, the one after loses his, and the parts add up.
TEST(RunLedger, DoctorsSharesFollowTheTransaction) {
    RunLedger ledger;
    ImportCounts sheet;
    sheet[RowKind::examination].written = 2;
    ledger.beginDoctor("111", "Анна");
    ledger.doctorOfFile(7);
    ledger.join(sheet);
    ledger.committed();
    ledger.beginDoctor("222", "Божидар");
    ledger.join(sheet);
    ledger.fail(RowKind::examination);
    ledger.beginDoctor("111", "Анна");  // his next file goes on in his part
    ledger.join(sheet);
    ledger.loseUncommitted();

    const std::vector<DoctorShare> shares = ledger.doctorShares();
    ASSERT_EQ(shares.size(), 2U);
    EXPECT_EQ(shares[0].databaseDoctorId, 7);
    EXPECT_EQ(shares[1].databaseDoctorId, 0);
    EXPECT_EQ(shares[0].counts[RowKind::examination].written, 2);
    EXPECT_EQ(shares[0].counts[RowKind::examination].failed, 2);
    EXPECT_EQ(shares[1].counts[RowKind::examination].failed, 3);
    EXPECT_EQ(shares[0].counts[RowKind::examination].failed +
                  shares[1].counts[RowKind::examination].failed,
              ledger.counts()[RowKind::examination].failed);
    EXPECT_EQ(ledger.counts()[RowKind::examination].written, 2);
}

}  // namespace
}  // namespace kalvex::engine
