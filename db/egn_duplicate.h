#pragma once

#include <string_view>

#include "db/tdm.h"

namespace kalvex::db {

// True when the practice database has a doctor with this personal number.
bool EGNIsDuplicate(Tdm& dm, std::string_view egn);

}  // namespace kalvex::db
