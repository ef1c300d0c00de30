#include "common/conversions.h"

#include "common/code_page.h"
#include "common/formats.h"

namespace kalvex::common {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int twoDigits(std::string_view s, size_t pos) {
    return (s[pos] - '0') * 10 + (s[pos + 1] - '0');
}

// The century rule: month field 1-12 is the 1900s, 21-32 the 1800s, 41-52 the 2000s.
// Returns false for any other month field.
bool decodeCentury(int monthField, int yearField, int& year, int& month) {
    if (monthField >= 1 && monthField <= 12) {
        month = monthField;
        year = 1900 + yearField;
    } else if (monthField >= 21 && monthField <= 32) {
        month = monthField - 20;
        year = 1800 + yearField;
    } else if (monthField >= 41 && monthField <= 52) {
        month = monthField - 40;
        year = 2000 + yearField;
    } else {
        return false;
    }
    return true;
}

// The rules count characters of the 8-bit code page, so a number typed with a
// Cyrillic letter in it keeps every later digit at its position.
std::string eightBit(std::string_view egn) {
    return toCp1251(egn);
}

bool checksumHolds(const std::string& egn) {
    static constexpr int kWeights[] = {2, 4, 8, 5, 10, 9, 7, 3, 6};
    if (egn.size() < 10)
        return false;
    int sum = 0;
    for (size_t i = 0; i < 9; ++i) {
        if (!isDigit(egn[i]))
            return false;
        sum += (egn[i] - '0') * kWeights[i];
    }
    return isDigit(egn[9]) && egn[9] - '0' == sum % 11 % 10;
}

}  // namespace

std::string SEX_TYPE(bool isWoman) {
    return isWoman ? "0" : "1";
}

std::string BOOL2STR(bool value) {
    return value ? "Y" : "N";
}

DateTime DateFromSQL(std::string_view text) {
    FormatSettings& fs = formatSettings();
    const std::string savedFormat = fs.shortDateFormat;
    const char savedSeparator = fs.dateSeparator;
    fs.shortDateFormat = "yyyy-mm-dd";
    fs.dateSeparator = '-';
    struct Restore {
        FormatSettings& fs;
        const std::string& format;
        char separator;
        ~Restore() {
            fs.shortDateFormat = format;
            fs.dateSeparator = separator;
        }
    } restore{fs, savedFormat, savedSeparator};
    return StrToDate(text);
}

DateTime EgnToBirthDate(std::string_view egnText) {
    const std::string egn = eightBit(egnText);
    if (egn.size() < 6)
        return kZeroDate;
    for (size_t i = 0; i < 6; ++i)
        if (!isDigit(egn[i]))
            return kZeroDate;
    int year = 0, month = 0;
    if (!decodeCentury(twoDigits(egn, 2), twoDigits(egn, 0), year, month))
        return kZeroDate;
    return tryEncodeDate(year, month, twoDigits(egn, 4)).value_or(kZeroDate);
}

std::string EgnToSexType(std::string_view egnText) {
    const std::string egn = eightBit(egnText);
    if (egn.size() < 9 || !isDigit(egn[8]))
        return "-1";
    return (egn[8] - '0') % 2 == 0 ? "1" : "0";
}

bool DateIsValid(std::uint16_t day, std::uint16_t monthField, std::uint16_t yearField) {
    int year = 0, month = 0;
    return decodeCentury(monthField, yearField, year, month) && isCalendarDate(year, month, day);
}

bool CheckEGNChecksum(std::string_view egnText) {
    return checksumHolds(eightBit(egnText));
}

bool ValidEGN(std::string_view egnText) {
    const std::string egn = eightBit(egnText);
    if (egn.size() != 10)
        return false;
    for (size_t i = 0; i < 6; ++i)
        if (!isDigit(egn[i]))
            return false;
    return DateIsValid(static_cast<std::uint16_t>(twoDigits(egn, 4)),
                       static_cast<std::uint16_t>(twoDigits(egn, 2)),
                       static_cast<std::uint16_t>(twoDigits(egn, 0))) &&
           checksumHolds(egn);
}

}  // namespace kalvex::common
