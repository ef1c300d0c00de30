#pragma once

#include <string>

#include "engine/run/run_context.h"

// Doctors the practice hired, or who stood in, named on a sheet but not yet in the
// database: the user is asked whether to create each and for its personal number.
namespace kalvex::engine {

// Checks every sheet of `sheets` before the first one is imported.
template <class V>
void CheckForHired_Subst(RunContext<V>& run, const typename V::AmbListList& sheets);

// Creates the doctor that `sheet`'s "Hired_Subst" names, with the personal number `egn`.
template <class V>
void ImportH_SDoc(RunContext<V>& run, const std::string& egn, const typename V::AmbList& sheet);

}  // namespace kalvex::engine
