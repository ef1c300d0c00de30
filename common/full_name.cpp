#include "common/full_name.h"

namespace kalvex::common {

std::string_view TrimName(std::string_view fullName) {
    const auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!fullName.empty() && blankOrControl(fullName.front()))
        fullName.remove_prefix(1);
    while (!fullName.empty() && blankOrControl(fullName.back()))
        fullName.remove_suffix(1);
    return fullName;
}

NameParts SplitFullName(std::string_view fullName) {
    fullName = TrimName(fullName);
    const std::size_t firstBlank = fullName.find(' ');
    if (firstBlank == std::string_view::npos)
        return {{}, {}, std::string(fullName)};
    const std::size_t lastBlank = fullName.rfind(' ');
    NameParts parts;
    parts.first = std::string(fullName.substr(0, firstBlank));
    if (lastBlank > firstBlank)
        parts.middle = std::string(fullName.substr(firstBlank + 1, lastBlank - firstBlank - 1));
    parts.last = std::string(fullName.substr(lastBlank + 1));
    return parts;
}

}  // namespace kalvex::common
