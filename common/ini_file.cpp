#include "common/ini_file.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "common/code_page.h"
#include "common/error.h"
#include "common/numbers.h"

namespace kalvex::common {
namespace {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// "[name]" gives name; anything else is not a section header.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

// "key=value" gives key; comments and lines without "=" have none.
std::optional<std::string_view> keyName(std::string_view line) {
    const std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() == ';')
        return std::nullopt;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(0, eq));
}

// The value as the platform hands it back: blanks around it removed, and one pair
// of matching quotes around the whole value removed.
std::string valueOf(std::string_view line) {
    std::string_view value = trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

}  // namespace

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {
    std::ifstream in(fileName_, std::ios::binary);
    if (!in)
        return;
    std::ostringstream raw;
    raw << in.rdbuf();
    std::istringstream text(fromCp1251(raw.str()));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(std::move(line));
    }
}

std::optional<IniFile::Location> IniFile::find(std::string_view section,
                                               std::string_view key) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i]);
        if (!name || !equalsIgnoringCase(*name, section))
            continue;
        Location location{i, lines_.size(), std::nullopt};
        for (size_t j = i + 1; j < lines_.size(); ++j) {
            if (sectionName(lines_[j])) {
                location.sectionEnd = j;
                break;
            }
            const auto k = keyName(lines_[j]);
            if (!location.keyLine && k && equalsIgnoringCase(*k, key))
                location.keyLine = j;
        }
        return location;
    }
    return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const auto location = find(section, key);
    if (!location || !location->keyLine)
        return std::string(fallback);
    return valueOf(lines_[*location->keyLine]);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
    const std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t value = 0;
        const char* last = text.data() + text.size();
        const auto [end, ec] = std::from_chars(text.data() + 2, last, value, 16);
        if (ec != std::errc{} || end != last)
            return fallback;
        return static_cast<std::int32_t>(value);
    }
    return readIntegerOr(text, fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line(key);
    line.append("=").append(value);
    const auto location = find(section, key);
    if (!location) {
        std::string header = "[";
        header.append(section).append("]");
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(line));
    } else if (location->keyLine) {
        lines_[*location->keyLine] = std::move(line);
    } else {
        // After the section's last non-blank line, so a blank line that separates
        // it from the next section stays where it is.
        size_t at = location->sectionEnd;
        while (at > location->sectionLine + 1 && trim(lines_[at - 1]).empty())
            --at;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::UpdateFile() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    const std::string bytes = toCp1251(text);
    std::ofstream out(fileName_, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out)
        throw Error("Unable to write to " + fileName_);
    out.close();
    if (!out)
        throw Error("Unable to write to " + fileName_);
}

}  // namespace kalvex::common
