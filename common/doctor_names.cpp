#include "common/doctor_names.h"

#include <algorithm>
#include <string_view>

namespace kalvex::common {
namespace {

std::string_view trimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string databaseNameOfXmlEntry(const std::string& xmlEntryText) {
    const std::string_view text = xmlEntryText;
    const size_t blank = text.find(' ');
    if (blank == std::string_view::npos)
        return std::string(trimBlanks(text)) + " ";
    // The sheet count's " (" is the last one, since a name may hold parentheses of
    // its own; it can start at the first blank itself, which leaves the rest empty.
    const size_t count = text.rfind(" (");
    const size_t end = count == std::string_view::npos ? text.size() : std::max(count, blank + 1);
    const std::string_view rest = text.substr(blank + 1, end - blank - 1);
    return std::string(trimBlanks(text.substr(0, blank))) + " " + std::string(trimBlanks(rest));
}

}  // namespace kalvex::common
