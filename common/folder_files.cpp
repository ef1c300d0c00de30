#include "common/folder_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kalvex::common {
namespace {

bool hasXmlExtension(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".xml";
}

}  // namespace

std::vector<std::string> GetFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code typeError;
        if (entry.is_directory(typeError))
            continue;
        std::string name = entry.path().filename().string();
        if (hasXmlExtension(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool pathExists(const std::string& path, bool folder) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && (folder ? std::filesystem::is_directory(status)
                             : std::filesystem::is_regular_file(status));
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

}  // namespace kalvex::common
