#include "common/file_version.h"

#include "common/version_config.h"

namespace kalvex::common {
namespace {

int highWord(std::int32_t half) {
    return static_cast<int>((static_cast<std::uint32_t>(half) >> 16) & 0xFFFF);
}
int lowWord(std::int32_t half) {
    return static_cast<int>(static_cast<std::uint32_t>(half) & 0xFFFF);
}

std::int32_t joinWords(int high, int low) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                                     static_cast<std::uint32_t>(low & 0xFFFF));
}

}  // namespace

TFileVersion makeFileVersion(int major, int minor, int release, int build) {
    return TFileVersion{joinWords(major, minor), joinWords(release, build)};
}

TFileVersion GetFileVersion() {
    return makeFileVersion(kVersionMajor, kVersionMinor, kVersionRelease, kVersionBuild);
}

bool IsValidVersion(const TFileVersion& version) {
    return version.FileVersionMS != -1 && version.FileVersionLS != -1;
}

std::string VersionToStringBrief(const TFileVersion& version) {
    if (!IsValidVersion(version))
        return {};
    return std::to_string(highWord(version.FileVersionMS)) + "." +
           std::to_string(lowWord(version.FileVersionMS)) +
           std::to_string(highWord(version.FileVersionLS));
}

std::string MainWindowCaption(const TFileVersion& version) {
    return "Kalvex - Версия " + VersionToStringBrief(version) + " - Орвано ООД";
}

}  // namespace kalvex::common
