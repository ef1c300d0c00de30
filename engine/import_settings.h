#pragma once

namespace kalvex::engine {

// What the user chose for a run.
struct ImportSettings {
    int nrdIndex = 8;          // 0 "2003" … 8 "2022"
    int edition = 0;           // 0 "Salvix GP", otherwise "Salvix S"
    int xmlDoctorIndex = 0;    // position of the XML doctor in the e-report
    int databaseDoctorId = 0;  // DOCTOR.ID, 0 when the database has none
    bool createDoctorIfMissing = false;
    // Everything stays in the one transaction, to be rolled back: nothing is committed
    // during the run.
    bool dryRun = false;
};

}  // namespace kalvex::engine
