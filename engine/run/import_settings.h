#pragma once

#include <string>

namespace kalvex::engine {

// What the user chose for a run.
struct ImportSettings {
    int nrdIndex = 8;          // 0 "2003" … 8 "2022"
    int edition = 0;           // 0 "Salvix GP", otherwise "Salvix S"
    int xmlDoctorIndex = 0;    // position of the XML doctor in the e-report
    int databaseDoctorId = 0;  // DOCTOR.ID, 0 when the database has none
    bool createDoctorIfMissing = false;
    // Every doctor of the e-report, each under the database doctor of his UIN, instead of
    // the one chosen: `xmlDoctorIndex` and `databaseDoctorId` are then not used.
    bool allDoctors = false;
    // A file of a folder imports its first doctor only: the others, if any, are named
    // in the log and their sheets counted as skipped.
    bool tellPassedOverDoctors = false;
    // The e-report's file, as the log names it.
    std::string reportFile;
    // Everything stays in the one transaction, to be rolled back: nothing is committed
    // during the run.
    bool dryRun = false;
};

}  // namespace kalvex::engine
