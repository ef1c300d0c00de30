#pragma once

#include <string>
#include <vector>

namespace kalvex::common {

// Names (without path) of the files in `folder` whose names end in ".xml", any
// letter case, sorted by name so that a folder imports in the same order every
// time. Folders are left out even when their name ends in ".xml"; a folder that
// does not exist gives an empty list.
std::vector<std::string> GetFileNames(const std::string& folder);

// Whether `path` names an existing folder (or, with folder false, a file); a path
// that cannot be examined counts as missing.
bool pathExists(const std::string& path, bool folder);

// folder + "/" + name.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace kalvex::common
