#include "common/program_path.h"

#include <filesystem>

namespace kalvex::common {

std::string programPath() {
    return std::filesystem::read_symlink("/proc/self/exe").string();
}

std::string changeFileExt(std::string_view path, std::string_view extension) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    const bool hasExtension =
        dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    std::string result(hasExtension ? path.substr(0, dot) : path);
    result += extension;
    return result;
}

}  // namespace kalvex::common
