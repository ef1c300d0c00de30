#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/characters.h"
#include "common/conversions.h"
#include "common/error.h"
#include "common/formats.h"
#include "engine/statements/column_values.h"
#include "engine/run/run_context.h"
#include "ereport/patient_elements.h"

// The values of a sick-leave certificate's row: partly the certificate's own, partly the
// sheet's patient, the reporting doctor and the practice, whom the certificate names
// again because it outlives any change to their records.
namespace kalvex::engine {

// "1" / "0" by the EGN; otherwise by the foreigner's "Sex" flag, null when that is
// unreadable too.
common::Variant certificateSexType(std::string_view egn, const ereport::nrd2022::TXMLLNCH& lnch);

// The municipality of the codes, or null when they lie outside the table.
common::Variant certificateCity(std::string_view rzok, std::string_view zdrRajon);

// Whole years from the birth date the EGN codes to now.
std::int64_t certificateAge(std::string_view egn);

// The name of the diagnosis `code`, null when the code is not known.
common::Variant diagnosisName(RunState& run, const std::string& code);

template <class V, class HList>
ColumnValues sickLeaveRow(RunContext<V>& run, const HList& certificate) {
    const auto& patient = run.CurrentPatient;
    const auto sheetPatient = run.CurrentAmbList.Patient();
    const std::string egn = patient.EGN();
    ColumnValues row;
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    row.set("DATA", common::DateFromSQL(run.CurrentAmbList.DataAl()));
    if constexpr (V::year >= 2015)
        row.setText("EL_NUMBER", certificate.NoBl());
    else
        row.setInt("NUMBER", certificate.NoBl());
    // "HLtype" marks a continuation.
    row.setText("IS_PRIMARY", common::BOOL2STR(!certificate.HLtype()));
    row.setInt("DAYS_HOME", certificate.Days());
    row.set("SICK_LEAVE_START", common::DateFromSQL(certificate.HLFromDate()));
    row.set("SICK_LEAVE_END", common::DateFromSQL(certificate.HLToDate()));
    row.set("PATIENT_SEX_TYPE", certificateSexType(egn, sheetPatient.LNCH()));
    row.setText("PATIENT_EGN", egn);
    const auto name = sheetPatient.Name();
    row.setText("PATIENT_FULLNAME", name.Given() + " " + name.Sur() + " " + name.Family());
    row.setInt("PATIENT_AGE", certificateAge(egn));
    row.setText("DOCTOR_KOMISIA", common::leftCharacters(run.CurrentDoctor.FullName(), 50));
    row.setText("IZDADEN_OT", common::leftCharacters(run.report.practice.PracticeName(), 40));
    const std::string code = certificate.HLMKB();
    row.setText("ICD_CODE", code);
    row.setText("NOTES", "Импортиран чрез Kalvex на " + common::DateTimeToStr(common::now()));
    if constexpr (V::year == 2005) {
        row.set("DATEOFBIRTH", common::EgnToBirthDate(egn));
    } else {
        row.set("DIAGNOSIS", diagnosisName(run, code));
        row.setInt("DAYS_HOSPITAL", 0);
        row.setInt("DAYS_SANATORIUM", 0);
        try {
            row.set("PATIENT_CITY", certificateCity(patient.RZOK(), patient.ZdrRajon()));
        } catch (const Error&) {
            // Codes that do not read as text: the town is unknown, the column stays null.
        }
        row.setText("PATIENT_STREET", common::leftCharacters(patient.Address(), 40));
        row.setInt("TREATMENT_REGIMEN", 1);
        row.setInt("DAYS_FREE", 0);
    }
    return row;
}

}  // namespace kalvex::engine
