#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"

// The NRD version of an e-report on the command line: the one named with --nrd, held
// against what the file says of itself, or with --nrd auto the one the file clearly
// belongs to.
namespace kalvex::cli {

// The word of --nrd that leaves the version to each file.
inline constexpr std::string_view kAutoNrd = "auto";

// A file refused for its version before anything is written; the text says why, and
// what the user can do.
class VersionRefused : public Error {
  public:
    using Error::Error;
};

// The NRD index to import `fileName` under: `chosen` when the file fits it, or with no
// `chosen` (--nrd auto) the version the file clearly belongs to. Throws VersionRefused
// otherwise, and kalvex::Error with the parser's message for a file that does not parse.
int versionForFile(const std::string& fileName, std::optional<int> chosen);

}  // namespace kalvex::cli
