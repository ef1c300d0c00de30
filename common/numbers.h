#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kalvex::common {

// A whole text read as a signed 32-bit decimal integer: blanks around it and one
// sign allowed, nothing else after the digits. Empty for anything else (an empty
// text, "12a", a value out of range).
std::optional<std::int32_t> parseInteger(std::string_view text);

// The same, or `fallback` when the text is not such an integer.
std::int32_t readIntegerOr(std::string_view text, std::int32_t fallback);

// The same, or Error "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

}  // namespace kalvex::common
