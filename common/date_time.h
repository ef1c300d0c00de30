#pragma once

#include <compare>
#include <optional>

// Dates as the practice product counts them: days since 30 December 1899 (day 0),
// the time of day as the fraction of a day.
namespace kalvex::common {

struct DateTime {
    double value = 0.0;
    auto operator<=>(const DateTime&) const = default;
};

struct DateParts {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The zero date (30 December 1899) stands for "no date".
constexpr DateTime kZeroDate{};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isCalendarDate(int year, int month, int day);

// Empty when year, month and day do not form a calendar date (years 1 to 9999).
std::optional<DateTime> tryEncodeDate(int year, int month, int day);
DateTime encodeTime(int hour, int minute, int second, int millisecond = 0);
DateParts decodeDateTime(DateTime dt);

// Current local date and time.
DateTime now();

}  // namespace kalvex::common
