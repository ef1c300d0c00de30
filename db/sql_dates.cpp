#include "db/sql_dates.h"

#include <cmath>

namespace kalvex::db {
namespace {

// 30 December 1899 as the client's day number.
constexpr ISC_DATE kDayZero = 15018;
constexpr double kTicksPerDay = 86400.0 * ISC_TIME_SECONDS_PRECISION;

}  // namespace

ISC_DATE toSqlDate(common::DateTime value) {
    return static_cast<ISC_DATE>(std::floor(value.value)) + kDayZero;
}

ISC_TIME toSqlTime(common::DateTime value) {
    const double fraction = value.value - std::floor(value.value);
    const auto ticks = static_cast<ISC_TIME>(std::llround(fraction * kTicksPerDay));
    // A fraction a hair below one day must not round up into the next day.
    return ticks >= static_cast<ISC_TIME>(kTicksPerDay) ? static_cast<ISC_TIME>(kTicksPerDay) - 1
                                                        : ticks;
}

ISC_TIMESTAMP toSqlTimestamp(common::DateTime value) {
    return ISC_TIMESTAMP{toSqlDate(value), toSqlTime(value)};
}

common::DateTime fromSqlDate(ISC_DATE date) {
    return common::DateTime{static_cast<double>(date - kDayZero)};
}

common::DateTime fromSqlTime(ISC_TIME time) {
    return common::DateTime{static_cast<double>(time) / kTicksPerDay};
}

common::DateTime fromSqlTimestamp(const ISC_TIMESTAMP& timestamp) {
    return common::DateTime{fromSqlDate(timestamp.timestamp_date).value +
                            fromSqlTime(timestamp.timestamp_time).value};
}

}  // namespace kalvex::db
