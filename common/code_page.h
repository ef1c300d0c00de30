#pragma once

#include <string>
#include <string_view>

// The program keeps text in UTF-8; code page 1251 lives only at the 8-bit edges
// (database parameters and results, the log file, the options file).
namespace kalvex::common {

// UTF-8 to code page 1251. A character the code page cannot hold, and a byte that
// is not valid UTF-8, becomes "?".
std::string toCp1251(std::string_view utf8);

// Makes the C library's character set UTF-8 when the environment chose another one or
// none (plain ASCII), so that libraries which convert through it, the embedded
// database engine with a file name above all, see the program's text as it is. A
// UTF-8 locale of the user's stays. Call it after anything that sets the locale from
// the environment (QApplication does).
void useUtf8CharacterSet();

// Whether `text` is well-formed UTF-8 (ASCII included).
bool isUtf8(std::string_view text);

// Code page 1251 to UTF-8. The one byte without a character (0x98) becomes "?".
std::string fromCp1251(std::string_view cp1251);

}  // namespace kalvex::common
