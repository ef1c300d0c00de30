#pragma once

#include <cstdint>
#include <string>

#include "engine/run/run_context.h"

namespace kalvex::engine {

// DOCTOR.ID of the first doctor (by ID) of this UIN and, when given, this
// SPECIALITY_ID; 0 when there is none. The one look-up of a doctor by UIN, for the
// run's doctor, a sheet's hired or substitute doctor and a sheet's look-up alike.
std::int32_t doctorByUin(RunState& run, const std::string& uin,
                         const std::int32_t* speciality = nullptr);

}  // namespace kalvex::engine
