#include "common/formats.h"

#include <cctype>
#include <vector>

#include "common/error.h"

namespace kalvex::common {
namespace {

std::string padded(int value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

size_t runLength(std::string_view pattern, size_t pos) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[pos])));
    size_t end = pos;
    while (end < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[end])) == c)
        ++end;
    return end - pos;
}

}  // namespace

FormatSettings& formatSettings() {
    static FormatSettings settings;
    return settings;
}

void SetGlobalCultureFormats() {
    formatSettings() = FormatSettings{};
}

void UseSqlDateFormats() {
    formatSettings().shortDateFormat = "yyyy-mm-dd";
    formatSettings().longDateFormat = "yyyy-mm-dd";
    // The separator goes with the format, so that a date written now reads back.
    formatSettings().dateSeparator = '-';
}

std::string FormatDateTime(std::string_view pattern, DateTime dt) {
    const DateParts p = decodeDateTime(dt);
    const FormatSettings& fs = formatSettings();
    std::string out;
    bool afterHour = false;
    for (size_t pos = 0; pos < pattern.size();) {
        const char raw = pattern[pos];
        if (raw == '\'' || raw == '"') {
            const size_t close = pattern.find(raw, pos + 1);
            const size_t end = close == std::string_view::npos ? pattern.size() : close;
            out.append(pattern.substr(pos + 1, end - pos - 1));
            pos = end + 1;
            continue;
        }
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
        const size_t n = runLength(pattern, pos);
        switch (c) {
            case 'd':
                out += n >= 2 ? padded(p.day, 2) : std::to_string(p.day);
                break;
            case 'm':
                if (afterHour)
                    out += n >= 2 ? padded(p.minute, 2) : std::to_string(p.minute);
                else
                    out += n >= 2 ? padded(p.month, 2) : std::to_string(p.month);
                break;
            case 'y':
                out += n >= 3 ? padded(p.year, 4) : padded(p.year % 100, 2);
                break;
            case 'h':
                out += n >= 2 ? padded(p.hour, 2) : std::to_string(p.hour);
                break;
            case 'n':
                out += n >= 2 ? padded(p.minute, 2) : std::to_string(p.minute);
                break;
            case 's':
                out += n >= 2 ? padded(p.second, 2) : std::to_string(p.second);
                break;
            case 'z':
                out += n >= 3 ? padded(p.millisecond, 3) : std::to_string(p.millisecond);
                break;
            case '/':
                out.append(n, fs.dateSeparator);
                break;
            case ':':
                out.append(n, fs.timeSeparator);
                break;
            default:
                out.append(pattern.substr(pos, n));
                break;
        }
        if (c == 'h')
            afterHour = true;
        else if (c != ':' && c != ' ')
            afterHour = false;
        pos += n;
    }
    return out;
}

std::string DateToStr(DateTime dt) {
    return FormatDateTime(formatSettings().shortDateFormat, dt);
}

std::string DateTimeToStr(DateTime dt) {
    std::string text = DateToStr(dt);
    const DateParts p = decodeDateTime(dt);
    if (p.hour != 0 || p.minute != 0 || p.second != 0 || p.millisecond != 0)
        text += ' ' + FormatDateTime(formatSettings().longTimeFormat, dt);
    return text;
}

DateTime StrToDate(std::string_view text) {
    const FormatSettings& fs = formatSettings();
    const auto invalid = [&] {
        std::string message = "'";
        message.append(text).append("' is not a valid date");
        return Error(message);
    };

    // Field order as the short date format names it, e.g. "yyyy-mm-dd" gives y, m, d.
    std::string order;
    for (const char raw : fs.shortDateFormat) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
        if ((c == 'd' || c == 'm' || c == 'y') && order.find(c) == std::string::npos)
            order += c;
    }
    if (order.size() != 3)
        throw invalid();

    std::vector<std::string> fields(1);
    size_t first = 0;
    size_t last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    for (size_t i = first; i < last; ++i) {
        const char c = text[i];
        if (c == fs.dateSeparator)
            fields.emplace_back();
        else if (std::isdigit(static_cast<unsigned char>(c)) && fields.back().size() < 4)
            fields.back() += c;
        else
            throw invalid();
    }
    if (fields.size() != 3)
        throw invalid();

    int year = 0, month = 0, day = 0;
    for (size_t i = 0; i < 3; ++i) {
        if (fields[i].empty())
            throw invalid();
        const int value = std::stoi(fields[i]);
        switch (order[i]) {
            case 'y':
                year =
                    fields[i].size() <= 2 ? value + decodeDateTime(now()).year / 100 * 100 : value;
                break;
            case 'm':
                month = value;
                break;
            default:
                day = value;
                break;
        }
    }
    const auto date = tryEncodeDate(year, month, day);
    if (!date)
        throw invalid();
    return *date;
}

}  // namespace kalvex::common
