#pragma once

#include <cstdint>
#include <string>

#include "db/tdm.h"

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

// Inserts the row through `qryDoctor`. A duplicate key passes on as the database's error.
void insertDoctor(db::Tdm& dm, const DoctorRow& row);

}  // namespace kalvex::engine
