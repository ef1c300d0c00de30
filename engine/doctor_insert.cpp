#include "engine/doctor_insert.h"

#include "common/conversions.h"
#include "common/full_name.h"
#include "engine/insert_statement.h"

namespace kalvex::engine {

void insertDoctor(db::Tdm& dm, const DoctorRow& row) {
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
    executeInsert(dm.qryDoctor, insert, values);
}

}  // namespace kalvex::engine
