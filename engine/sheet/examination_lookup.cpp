// How a sheet is found in the database: GetPregledID of every NRD version.
#include "engine/sheet/examination_lookup.h"

#include <string>

#include "engine/sheet/doctor_lookup.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

// DOCTOR.ID of the sheet's hired or substitute doctor, 0 when it names none the
// database has.
template <class V>
std::int32_t hiredDoctorId(RunContext<V>& run) {
    ereport::Element hired;
    ereport::GetNode(run.CurrentAmbList, "Hired_Subst", hired);
    const std::string uin = ereport::ReadValue(hired, "UINH_S");
    if (uin.empty())
        return 0;
    return doctorByUin(run, uin);
}

}  // namespace

template <class V>
common::Variant GetPregledID(RunContext<V>& run) {
    const std::int32_t hired = hiredDoctorId(run);
    const std::string noAl = ereport::ReadValue(run.CurrentAmbList, "NoAl");
    const std::string date = ereport::ReadValue(run.CurrentAmbList, "dataAl");
    std::string number;
    if (V::year == 2022 && isNrn(noAl))
        number = sameText("NRN", "NO");
    else if (V::year == 2021 && isNrn(noAl))
        // NRD 2021 writes a national number into AMB_LISTN (its row has no NRN column).
        number.append("(")
            .append(sameText("NRN", "NO"))
            .append(" OR ")
            .append(sameText("AMB_LISTN", "NO"))
            .append(")");
    else
        number = sameNumber("AMB_LISTN", "NO");
    // A sheet is one examination under either of its doctors: a run without the hired
    // doctor wrote it under the run's doctor, a run with him under him. The row stays
    // where it is; one under the sheet's own doctor comes first.
    const std::string eitherDoctor = "DOCTOR_ID IN (:DOCTOR, :RUN_DOCTOR)";
    const char* sheetDoctorFirst = " ORDER BY CASE WHEN DOCTOR_ID = :DOCTOR THEN 0 ELSE 1 END, ID";
    return run.dm.SqlToValue("SELECT ID FROM PREGLED WHERE PACIENT_ID = :PATIENT AND " +
                                 eitherDoctor + " AND " + number +
                                 " AND START_DATE = CAST(:START_DATE AS DATE)" + sheetDoctorFirst,
                             {{"PATIENT", std::int64_t{run.CurrentPatientID}},
                              {"DOCTOR", std::int64_t{hired == 0 ? run.CurrentDoctorID : hired}},
                              {"RUN_DOCTOR", std::int64_t{run.CurrentDoctorID}},
                              {"NO", noAl},
                              {"START_DATE", date}});
}

#define KALVEX_INSTANTIATE(V) template common::Variant GetPregledID<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
