#pragma once

#include <cstdint>
#include <string>

#include "engine/run/run_context.h"

namespace kalvex::engine {

// A row of DOCTOR as the import creates it, for the reporting doctor (NRD 2022) and
// for hired and substitute doctors alike.
struct DoctorRow {
    std::string egn;
    std::string fullName;  // cut into FNAME, SNAME and LNAME
    std::string uin;
    bool hired = false;       // IS_NAET
    bool substitute = false;  // IS_ZAMESTVASHT
    std::int64_t specialityId = 0;
};

// Inserts the row through `qryDoctor` and counts it as written. A doctor of the same
// UIN and speciality already in the database is counted as existing, with the
// database's message in the log; one that only another program's uncommitted row
// holds stops the run, as does any other failure.
void insertDoctor(RunState& run, const DoctorRow& row);

}  // namespace kalvex::engine
