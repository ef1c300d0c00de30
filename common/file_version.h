#pragma once

#include <cstdint>
#include <string>

// The program's version and the short text the window caption shows.
namespace kalvex::common {

// Major and minor number in the high and low word of FileVersionMS, release and
// build in those of FileVersionLS; -1 in either half means "no version".
struct TFileVersion {
    std::int32_t FileVersionMS = -1;
    std::int32_t FileVersionLS = -1;
};

TFileVersion makeFileVersion(int major, int minor, int release, int build);

// The version the build gave this program (set once, in the top CMakeLists.txt).
TFileVersion GetFileVersion();

bool IsValidVersion(const TFileVersion& version);

// Major "." minor and the release number right behind: 3.1.0.240 gives "3.10",
// 10.2.3.4 gives "10.23"; empty for an invalid version.
std::string VersionToStringBrief(const TFileVersion& version);

// "Kalvex - Версия " + short version + " - Орвано ООД".
std::string MainWindowCaption(const TFileVersion& version);

}  // namespace kalvex::common
