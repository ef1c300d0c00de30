#include "common/date_time.h"

#include <cmath>
#include <ctime>

namespace kalvex::common {
namespace {

// Days from 1 January 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// 30 December 1899 counted from 1 January 1970.
const long long kEpochOffset = daysFromCivil(1899, 12, 30);

}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isCalendarDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

std::optional<DateTime> tryEncodeDate(int year, int month, int day) {
    if (!isCalendarDate(year, month, day))
        return std::nullopt;
    const long long days =
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        kEpochOffset;
    return DateTime{static_cast<double>(days)};
}

DateTime encodeTime(int hour, int minute, int second, int millisecond) {
    const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return DateTime{static_cast<double>(ms) / 86400000.0};
}

DateParts decodeDateTime(DateTime dt) {
    DateParts parts;
    const double whole = std::floor(dt.value);
    civilFromDays(static_cast<long long>(whole) + kEpochOffset, parts.year, parts.month, parts.day);
    long long ms = std::llround((dt.value - whole) * 86400000.0);
    if (ms >= 86400000)
        ms = 86399999;
    parts.hour = static_cast<int>(ms / 3600000);
    parts.minute = static_cast<int>(ms / 60000 % 60);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.millisecond = static_cast<int>(ms % 1000);
    return parts;
}

DateTime now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const auto date = tryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return DateTime{date->value + encodeTime(local.tm_hour, local.tm_min, local.tm_sec).value};
}

}  // namespace kalvex::common
