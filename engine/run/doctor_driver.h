#pragma once

#include <cstdint>

#include "engine/run/nrd_versions.h"
#include "engine/run/run_context.h"

namespace kalvex::engine {

// Settles the database doctor of the run (NRD 2022 may look it up or create it), lets
// the hired and substitute doctors be checked, then imports `CurrentDoctor`'s sheets
// in document order, one savepoint each.
template <class V>
void ImportDoctor(RunContext<V>& run);

// Creates the database doctor from NRD 2022's `CurrentDoctor`; its DOCTOR.ID.
std::int32_t ImportDoctorInfo2022(RunContext<Nrd2022>& run);

}  // namespace kalvex::engine
