#pragma once

#include <string>
#include <string_view>

#include "common/characters.h"

// How a sheet or document number is matched in the database.
namespace kalvex::engine {

// A national register number (NRN) has exactly 12 characters.
inline bool isNrn(std::string_view number) {
    return common::characterCount(number) == 12;
}

// `column` = the number bound as `:param`, compared as numbers without converting the
// column: blanks around and leading zeros off both sides, so "000412" finds 412, " 12"
// finds "12", and a column holding text never fails the look-up. The parameter is cast
// wide, so an overlong number finds nothing.
inline std::string sameNumber(std::string_view column, std::string_view param) {
    return "TRIM(LEADING '0' FROM TRIM(" + std::string(column) +
           ")) = TRIM(LEADING '0' FROM TRIM(CAST(:" + std::string(param) +
           " AS VARCHAR(1000))))";
}

// `column` = the text bound as `:param`, cast wide for the same reason.
inline std::string sameText(std::string_view column, std::string_view param) {
    return std::string(column) + " = CAST(:" + std::string(param) + " AS VARCHAR(1000))";
}

}  // namespace kalvex::engine
