#include "db/gdb_mediator.h"

#include "common/error.h"

namespace kalvex::db {
namespace {

std::string textOrEmpty(const common::Variant& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr ? *text : std::string();
}

}  // namespace

void GDBOpenDatabase(Tdm& dm, const std::string& databaseName) {
    if (dm.dbMain.isOpen()) {
        if (dm.traMain.isActive())
            dm.traMain.rollback();
        // Another database replaces the open one: nothing of the first is kept, as the
        // rollback above already decided.
        if (databaseName != dm.dbMain.databaseName())
            dm.dbMain.close();
    }
    dm.dbMain.setDatabaseName(databaseName);
    dm.dbMain.open();
    dm.traMain.start();
}

void GDBCloseDatabase(Tdm& dm) {
    if (dm.traMain.isActive())
        dm.traMain.commit();
    dm.dbMain.close();
}

std::vector<GdbDoctor> GDBFillDoctorNames(Tdm& dm) {
    std::vector<GdbDoctor> doctors;
    Statement& query =
        dm.GetResultSet("SELECT ID, FNAME, SNAME, LNAME, UIN FROM DOCTOR ORDER BY ID");
    for (bool row = dm.hasRow(); row; row = query.fetch()) {
        const common::Variant id = query.column(0);
        GdbDoctor doctor;
        doctor.id = static_cast<std::int32_t>(std::get<std::int64_t>(id));
        doctor.text = textOrEmpty(query.column(1)) + ' ' + textOrEmpty(query.column(2)) + ' ' +
                      textOrEmpty(query.column(3));
        doctor.uin = textOrEmpty(query.column(4));
        doctors.push_back(std::move(doctor));
    }
    return doctors;
}

std::int32_t GDBGetDoctorID(const std::vector<GdbDoctor>& doctors, int selectedIndex) {
    if (doctors.empty())
        return 0;
    const bool selected = selectedIndex >= 0 && selectedIndex < static_cast<int>(doctors.size());
    return doctors[selected ? static_cast<std::size_t>(selectedIndex) : 0].id;
}

}  // namespace kalvex::db
