#pragma once

#include <string>
#include <string_view>

#include "common/date_time.h"

// The process-wide date, time and number formats. Every date-to-text and
// text-to-date conversion of the program goes through the one settings object.
namespace kalvex::common {

struct FormatSettings {
    std::string shortDateFormat = "dd.mm.yyyy";
    std::string longDateFormat = "dd.mm.yyyy";
    char dateSeparator = '.';
    char timeSeparator = ':';
    std::string shortTimeFormat = "hh:mm";
    std::string longTimeFormat = "hh:mm:ss";
    char decimalSeparator = '.';
    bool followRegionalSettings = false;
};

// The settings every conversion reads; mutable so that the importers can switch
// the date formats for the rest of the process.
FormatSettings& formatSettings();

// Fixes the formats of the start-up table; called once, before the disclaimer.
void SetGlobalCultureFormats();

// Switches the short and long date formats (and the date separator) to "yyyy-mm-dd";
// from then on every date shown or written as text reads like 2022-05-31, and such a
// text reads back. Each sheet import does this.
void UseSqlDateFormats();

// Formats with a pattern: d dd m mm yy yyyy h hh n nn s ss z zzz; "m"/"mm" right
// after an hour token means minutes; "/" is the date separator and ":" the time
// separator of the settings; text in single or double quotes is copied as it stands;
// every other character is copied as it stands.
std::string FormatDateTime(std::string_view pattern, DateTime dt);

// Short date format, a blank and the long time format; the time is left out when
// it is exactly midnight.
std::string DateTimeToStr(DateTime dt);
std::string DateToStr(DateTime dt);

// Reads a date in the order of the short date format (day, month and year fields
// split by the date separator; a year of one or two digits lies in the current
// century). Throws Error "'<text>' is not a valid date" otherwise.
DateTime StrToDate(std::string_view text);

}  // namespace kalvex::common
