// Another workstation holding a row of the shared database while the import runs: the
// import's transaction does not wait for it, and what the run then keeps is whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "db/database_error.h"
#include "server_test.h"
#include "support/program_run.h"
#include "support/report_builder.h"
#include "support/temp_dir.h"

namespace kalvex {
namespace {

using testing::ProgramRun;
using testing::SheetInput;

using ServerLocks = testing::ServerTest;

SheetInput sheet(const std::string& noAl, const std::string& egn, const std::string& examType,
                 const std::string& extra = "") {
    SheetInput s;
    s.noAl = noAl;
    s.egn = egn;
    s.examType = examType;
    s.extra = extra;
    return s;
}

// A rehabilitation doctor's three sheets; the second ends a rehabilitation and so stamps
// its end into its patient's primary examination 500 of 3 April, when the database has it.
testing::ReportInput rehabilitationReport() {
    testing::ReportInput report;
    report.doctors[0].simpCode = "23";
    report.doctors[0].sheets = {
        sheet("000001", "7501020018", "11"),
        sheet("000002", "8001010005", "22",
              "<SIMPList><SecondaryVisit><NoAmbL>500</NoAmbL><dateAmbL>2023-04-03</dateAmbL>"
              "</SecondaryVisit></SIMPList><Procedure><imeP>рехабилитация</imeP><kodP>93.11"
              "</kodP><CountP>10</CountP></Procedure>"),
        sheet("000003", "8001010008", "11"),
    };
    return report;
}

TEST_F(ServerLocks, RowHeldByAnotherWorkstationStopsTheRunAtOnceAndKeepsWholeSheets) {
    const std::string kConflict(db::causeLine(db::FailureKind::conflict));
    const struct Case {
        const char* what;
        std::vector<std::string> before;  // committed before the run
        std::string held;                 // the other workstation's uncommitted statement
        int exitCode;
        std::vector<std::string> keptSheets;
        std::string err;  // the start of what stderr says
        std::string logLine;
    } cases[] = {
        {"the primary examination that the second sheet stamps is being edited",
         {"INSERT INTO PACIENT (EGN, PID_TYPE, FNAME) VALUES ('8001010005', 'E', 'Иван')",
          "UPDATE PREGLED SET PACIENT_ID = (SELECT ID FROM PACIENT WHERE EGN = '8001010005') "
          "WHERE AMB_LISTN = '500'"},
         "UPDATE PREGLED SET REH_FINISHED_AT = NULL WHERE AMB_LISTN = '500'",
         1,
         {"000001"},
         kConflict + "\ndeadlock\nupdate conflicts with concurrent update\nconcurrent "
                     "transaction number is ",
         "Амбулаторният лист с номер 000002 не е импортиран: " + kConflict +
             "; deadlock; update conflicts with concurrent update; concurrent transaction "
             "number is "},
        // The half-written patient's key is a duplicate whose row the import cannot see:
        // another program's row, which stops the run as any conflict does.
        {"the second sheet's patient is being written",
         {},
         "INSERT INTO PACIENT (EGN, PID_TYPE, FNAME) VALUES ('8001010005', 'E', 'Друг')",
         1,
         {"000001"},
         kConflict + "\nviolation of PRIMARY or UNIQUE KEY constraint \"UK_PACIENT_EGN\"",
         "Амбулаторният лист с номер 000002 не е импортиран: " + kConflict +
             "; violation of PRIMARY or UNIQUE KEY constraint \"UK_PACIENT_EGN\""},
    };
    value(
        "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, LNAME) VALUES ('0400000001', 3, "
        "'6101010013', 'Мария', 'Петрова')");
    const auto doctor = std::get<std::int64_t>(value("SELECT MAX(ID) FROM DOCTOR"));
    value(
        "INSERT INTO PREGLED (DOCTOR_ID, START_DATE, AMB_LISTN) VALUES (:D, DATE '2023-04-03', "
        "'500')",
        {{"D", doctor}});
    const testing::TempDir dir;
    const std::string report = dir.file("report.xml");
    testing::writeBytes(report, testing::reportXml(rehabilitationReport()));

    int runNumber = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& sql : c.before)
            value(sql);
        const std::int64_t patients = count("PACIENT WHERE EGN = '8001010005'");
        const std::string logFile = dir.file("kalvex-" + std::to_string(++runNumber) + ".log");
        db::Tdm holder;
        db::GDBOpenDatabase(holder, databaseName());
        holder.SqlToValue(c.held);
        // A transaction that waited for the holder would hang here: timeout makes that
        // a failure (exit 124) instead.
        const ProgramRun run = testing::runImport(
            "run --nrd 2022 --edition s --xml '" + report + "' --db '" + databaseName() +
                "' --doctor " + std::to_string(doctor) + " --log '" + logFile + "'",
            "timeout 120");
        holder.traMain.rollback();

        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << run.err;
        const std::string log = common::fromCp1251(testing::readBytes(logFile));
        EXPECT_NE(log.find(c.logLine), std::string::npos) << log;
        for (const char* noAl : {"000001", "000002", "000003"}) {
            const bool kept =
                std::find(c.keptSheets.begin(), c.keptSheets.end(), noAl) != c.keptSheets.end();
            EXPECT_EQ(count("PREGLED WHERE AMB_LISTN = :N", {{"N", std::string(noAl)}}),
                      kept ? 1 : 0)
                << noAl;
        }
        // The held sheet left nothing behind: neither a patient nor its stamp.
        EXPECT_EQ(count("PACIENT WHERE EGN = '8001010005'"), patients);
        EXPECT_EQ(count("PREGLED WHERE AMB_LISTN = '500' AND REH_FINISHED_AT IS NULL"), 1);
        value("DELETE FROM PREGLED WHERE AMB_LISTN <> '500'");
        value("DELETE FROM PACIENT");
    }
}

}  // namespace
}  // namespace kalvex
