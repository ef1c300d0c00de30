#include "engine/sheet/doctor_lookup.h"

namespace kalvex::engine {

std::int32_t doctorByUin(RunState& run, const std::string& uin, const std::int32_t* speciality) {
    // Cast wide: a UIN longer than the column finds no doctor instead of failing.
    std::int32_t id = 0;
    if (speciality != nullptr)
        run.dm.ReadSqlValue(
            "SELECT FIRST(1) ID FROM DOCTOR WHERE UIN = CAST(:UIN AS VARCHAR(1000)) AND "
            "SPECIALITY_ID = :SPECIALITY ORDER BY ID",
            id, {{"UIN", uin}, {"SPECIALITY", std::int64_t{*speciality}}});
    else
        run.dm.ReadSqlValue(
            "SELECT FIRST(1) ID FROM DOCTOR WHERE UIN = CAST(:UIN AS VARCHAR(1000)) ORDER BY ID",
            id, {{"UIN", uin}});
    return id;
}

}  // namespace kalvex::engine
