#pragma once

#include <string>
#include <string_view>

namespace kalvex::common {

// Full path of the running program's file.
std::string programPath();

// The path with the extension of its last component replaced (or added):
// changeFileExt("/opt/k/kalvex", ".ini") is "/opt/k/kalvex.ini".
std::string changeFileExt(std::string_view path, std::string_view extension);

}  // namespace kalvex::common
