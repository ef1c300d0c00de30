#pragma once

#include <cstdint>

#include "common/variant.h"
#include "engine/run/run_context.h"

namespace kalvex::engine {

// PREGLED.ID of `CurrentAmbList` under `CurrentPatientID` and the sheet's doctor (the
// hired or substitute doctor when the database has one of the sheet's UIN) or the run's
// doctor, the sheet's doctor's first; null when there is none.
template <class V>
common::Variant GetPregledID(RunContext<V>& run);

// The referral type (PREGLED.NAPR_TYPE_ID) of a secondary visit: the primary
// examination's, from the database or the same e-report, else from the visit's reason.
template <class V>
std::int32_t GetNaprType(RunContext<V>& run);

// The referral type of a visit on a referral of kind `kind` ("VidNapr" - 1) for
// `reason` ("NaprFor"); -1 for a pair without one.
std::int32_t MapNaprTypes(std::int32_t reason, std::int32_t kind);

}  // namespace kalvex::engine
