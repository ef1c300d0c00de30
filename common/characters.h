#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Lengths and cuts of text as the practice database counts them. Text is UTF-8 inside
// the program but one byte a character in code page 1251, so every rule that counts
// characters ("the first 40", "exactly 12") counts characters, never bytes.
namespace kalvex::common {

std::size_t characterCount(std::string_view utf8);

// The first `count` characters; the whole text when it is shorter.
std::string leftCharacters(std::string_view utf8, std::size_t count);

// A message of several lines on one line: each line break, and the blanks after it,
// becomes "; ", so that every line of the log file carries its time stamp.
std::string oneLine(std::string_view message);

}  // namespace kalvex::common
