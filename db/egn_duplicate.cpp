#include "db/egn_duplicate.h"

#include <string>

namespace kalvex::db {

bool EGNIsDuplicate(Tdm& dm, std::string_view egn) {
    return !common::isNull(
        dm.SqlToValue("SELECT d.ID FROM DOCTOR d WHERE EGN = :EGN", {{"EGN", std::string(egn)}}));
}

}  // namespace kalvex::db
