#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI text file with private-profile semantics: section and key look-up ignores
// letter case, a missing file, section or key gives the default, the file is code
// page 1251. Writing changes only the keys written and keeps every other line.
namespace kalvex::common {

class IniFile {
  public:
    // Reads the file if it exists; a missing or unreadable file reads as empty.
    explicit IniFile(std::string fileName);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // Decimal, or hexadecimal after "0x"/"0X" when the value is longer than two
    // characters; the default for anything that is not such a number.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t fallback) const;
    // An integer, non-zero meaning true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Change the text held in memory; UpdateFile writes it.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Writes the whole text back. Throws Error "Unable to write to <file name>".
    void UpdateFile() const;

    const std::string& FileName() const { return fileName_; }

  private:
    struct Location {
        size_t sectionLine;             // index of the "[section]" line
        size_t sectionEnd;              // one past the section's last line
        std::optional<size_t> keyLine;  // index of the key's line, if any
    };
    std::optional<Location> find(std::string_view section, std::string_view key) const;

    std::string fileName_;
    std::vector<std::string> lines_;  // UTF-8, without line ends
};

}  // namespace kalvex::common
