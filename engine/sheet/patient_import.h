#pragma once

#include <string>

#include "common/variant.h"
#include "engine/run/run_context.h"

namespace kalvex::engine {

// The patient's identity as the database keys it: the number and its kind ("E" EGN,
// "L" foreigner's number, "S" social-security number, "F" foreign personal number).
struct PatientIdentity {
    std::string number;
    std::string kind;
};

template <class V>
PatientIdentity patientIdentity(const RunContext<V>& run);

// PACIENT.ID of `CurrentPatient`, null when the database has no such patient.
template <class V>
common::Variant GetPatientID(RunContext<V>& run);

// Finds or creates `CurrentPatient` and sets `CurrentPatientID`. `book` is the sheet's
// prescription-book number, "NULL" when it has none. False when the patient can be
// neither found nor written: the caller must not write the sheet under anyone else.
template <class V>
bool ImportPatient(RunContext<V>& run, const std::string& book);

}  // namespace kalvex::engine
