#pragma once

#include "engine/run/run_context.h"

namespace kalvex::engine {

// Writes `CurrentAmbList` as an examination with its patient, diagnoses and procedures
// and hands the new examination to the attachment importers. A sheet already in the
// database is logged and left alone.
template <class V>
void ImportAmbList(RunContext<V>& run);

}  // namespace kalvex::engine
