#include "ereport/value_conversions.h"

#include <string_view>

#include "common/error.h"
#include "common/numbers.h"

namespace kalvex::ereport {
namespace {

[[noreturn]] void conversionFailure(const std::optional<std::string>& value, const char* target) {
    throw Error(std::string("Could not convert variant of type (") + (value ? "String" : "Null") +
                ") into type (" + target + ")");
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lowerWord[i])
            return false;
    }
    return true;
}

}  // namespace

std::string strictTextValue(const std::optional<std::string>& value) {
    if (!value)
        conversionFailure(value, "OleStr");
    return *value;
}

std::int32_t integerValue(const std::optional<std::string>& value) {
    if (!value)
        conversionFailure(value, "Integer");
    const auto number = common::parseInteger(*value);
    if (!number)
        conversionFailure(value, "Integer");
    return *number;
}

bool booleanValue(const std::optional<std::string>& value) {
    if (!value)
        conversionFailure(value, "Boolean");
    if (equalsIgnoringCase(*value, "true"))
        return true;
    if (equalsIgnoringCase(*value, "false"))
        return false;
    const auto number = common::parseInteger(*value);
    if (!number)
        conversionFailure(value, "Boolean");
    return *number != 0;
}

}  // namespace kalvex::ereport
