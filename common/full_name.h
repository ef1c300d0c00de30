#pragma once

#include <string>
#include <string_view>

namespace kalvex::common {

// A doctor's full name cut at its blanks, as the doctor table stores it.
struct NameParts {
    std::string first;   // before the first blank; empty when there is none
    std::string middle;  // between the first and the last blank, inner blanks kept
    std::string last;    // after the last blank; the whole name when there is none
};

// The name without blanks and control characters at either end.
std::string_view TrimName(std::string_view fullName);

// Splits the name after trimming it (TrimName).
NameParts SplitFullName(std::string_view fullName);

}  // namespace kalvex::common
