#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/date_time.h"

// Conversions every importer shares: the database's text codes, dates written
// year-month-day, and the rules of the personal number (EGN).
namespace kalvex::common {

// "0" for a woman (true), "1" for a man: the "Sex" flag of a foreigner's data.
std::string SEX_TYPE(bool isWoman);

// "Y" / "N".
std::string BOOL2STR(bool value);

// Reads "yyyy-mm-dd" under the formats "yyyy-mm-dd" and "-", whatever the process
// formats are, and leaves them as they were, also on failure.
// Throws Error "'<text>' is not a valid date".
DateTime DateFromSQL(std::string_view text);

// The birth date coded in the first six characters, or kZeroDate. The check digit
// is not looked at.
DateTime EgnToBirthDate(std::string_view egn);

// "1" for a man, "0" for a woman (even or odd ninth character), "-1" when the
// ninth character is missing or not a digit.
std::string EgnToSexType(std::string_view egn);

// Day, month field (with the century coded in) and year field of an EGN.
bool DateIsValid(std::uint16_t day, std::uint16_t monthField, std::uint16_t yearField);

// Check digit of the first nine; false for a non-digit or a text shorter than ten.
bool CheckEGNChecksum(std::string_view egn);

// Exactly ten characters, a valid coded date and a right check digit.
bool ValidEGN(std::string_view egn);

}  // namespace kalvex::common
