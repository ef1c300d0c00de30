#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/tdm.h"

// Opening and closing the practice database, and its list of doctors for the
// wizard. The window (hourglass cursor, combo box) stays with the wizard.
namespace kalvex::db {

// One doctor of the database as the wizard lists it.
struct GdbDoctor {
    std::string text;  // "FNAME SNAME LNAME", a null part as empty text
    std::int32_t id = 0;
    std::string uin;  // empty when null
};

// Rolls back the transaction of an open connection, opens the named database (a
// different name than the open one closes that first) and starts the transaction.
void GDBOpenDatabase(Tdm& dm, const std::string& databaseName);

// Commits an active transaction and closes the connection.
void GDBCloseDatabase(Tdm& dm);

// The doctors of the database ordered by ID.
std::vector<GdbDoctor> GDBFillDoctorNames(Tdm& dm);

// The ID of the selected doctor, of the first when none is selected (a negative
// index), 0 when the list is empty.
std::int32_t GDBGetDoctorID(const std::vector<GdbDoctor>& doctors, int selectedIndex);

}  // namespace kalvex::db
