#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "common/date_time.h"

namespace kalvex::common {

// A value on its way to or from the practice database: the database null, a whole
// number, a floating-point number, a text (UTF-8) or a date/time. Whether a
// DateTime is stored as a date or a timestamp is the column's business.
using Variant = std::variant<std::monostate, std::int64_t, double, std::string, DateTime>;

inline const Variant Null{};

inline bool isNull(const Variant& value) {
    return std::holds_alternative<std::monostate>(value);
}

}  // namespace kalvex::common
