#include "common/numbers.h"

#include <charconv>
#include <limits>
#include <string>

#include "common/error.h"

namespace kalvex::common {

std::optional<std::int32_t> parseInteger(std::string_view text) {
    // Blanks around a number do not change it, as in a number written into statement
    // text: " 12" and "05 " are 12 and 5.
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    size_t pos = 0;
    while (pos < text.size() && blank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    std::int64_t magnitude = 0;
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    if (first == last || *first < '0' || *first > '9')
        return std::nullopt;
    const auto [end, ec] = std::from_chars(first, last, magnitude);
    if (ec != std::errc{} || end != last)
        return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::int32_t readIntegerOr(std::string_view text, std::int32_t fallback) {
    return parseInteger(text).value_or(fallback);
}

std::int32_t StrToInt(std::string_view text) {
    const auto parsed = parseInteger(text);
    if (!parsed)
        throw Error("'" + std::string(text) + "' is not a valid integer value");
    return *parsed;
}

}  // namespace kalvex::common
