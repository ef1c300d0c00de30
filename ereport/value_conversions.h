#pragma once

#include <cstdint>
#include <optional>
#include <string>

// How the document model turns an element's value (nothing when the element is empty)
// into a strict text, an integer or a boolean, with the model's failure texts ("Could
// not convert variant of type (Null) into type (Integer)"). The typed views read
// through these, and so does the version check, which must fail exactly where they do.
namespace kalvex::ereport {

std::string strictTextValue(const std::optional<std::string>& value);
// A decimal integer in 32 bits with an optional sign.
std::int32_t integerValue(const std::optional<std::string>& value);
// "true" or "false" in any letter case, or a number (zero is false).
bool booleanValue(const std::optional<std::string>& value);

}  // namespace kalvex::ereport
