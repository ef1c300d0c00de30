#include "engine/sheet/doctor_insert.h"

#include "common/characters.h"
#include "common/conversions.h"
#include "common/full_name.h"
#include "db/database_error.h"
#include "engine/sheet/doctor_lookup.h"
#include "engine/sheet/duplicate_rows.h"
#include "engine/statements/insert_statement.h"

namespace kalvex::engine {

void insertDoctor(RunState& run, const DoctorRow& row) {
    static const InsertStatement insert =
        buildInsert("DOCTOR", {"EGN", "FNAME", "SNAME", "LNAME", "UIN", "IS_NAET", "IS_ZAMESTVASHT",
                               "IS_PODVIZHNO_LZ", "IS_EGN", "SPECIALITY_ID"});
    const common::NameParts name = common::SplitFullName(row.fullName);
    ColumnValues values;
    values.setText("EGN", row.egn);
    values.setText("FNAME", name.first);
    values.setText("SNAME", name.middle);
    values.setText("LNAME", name.last);
    values.setText("UIN", row.uin);
    values.setFlag("IS_NAET", row.hired);
    values.setFlag("IS_ZAMESTVASHT", row.substitute);
    values.setFlag("IS_PODVIZHNO_LZ", false);
    values.setFlag("IS_EGN", true);
    values.setInt("SPECIALITY_ID", row.specialityId);
    try {
        executeInsert(run, run.dm.qryDoctor, insert, values);
        ++run.counts[RowKind::doctor].written;
    } catch (const db::DatabaseError& e) {
        const auto speciality = static_cast<std::int32_t>(row.specialityId);
        if (!alreadyThere(e, [&] { return doctorByUin(run, row.uin, &speciality) != 0; }))
            throw;
        run.log(common::oneLine(e.what()));
        ++run.counts[RowKind::doctor].existing;
    }
}

}  // namespace kalvex::engine
