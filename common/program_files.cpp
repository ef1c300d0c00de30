#include "common/program_files.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "common/program_path.h"

namespace kalvex::common {
namespace {

namespace fs = std::filesystem;

// The folder under the user's base folders that holds Kalvex's files.
constexpr const char* kFolderName = "kalvex";

// One kind of the XDG base folders: its variable and its default under the home folder.
struct BaseFolder {
    const char* variable;
    const char* underHome;
};
constexpr BaseFolder kState{"XDG_STATE_HOME", ".local/state"};
constexpr BaseFolder kConfig{"XDG_CONFIG_HOME", ".config"};

// $HOME; without it (a service, `env -i`) the account's home folder; none without both.
std::optional<fs::path> homeFolder(const Environment& environment) {
    if (const auto home = environment("HOME"); home && !home->empty())
        return fs::path(*home);
    if (const passwd* account = getpwuid(getuid()); account && account->pw_dir && *account->pw_dir)
        return fs::path(account->pw_dir);
    return std::nullopt;
}

// The base folder of `kind`: its variable when that holds an absolute path (the rules
// say a relative one is to be ignored), else its default under the home folder.
std::optional<fs::path> baseFolder(const BaseFolder& kind, const Environment& environment) {
    if (const auto value = environment(kind.variable); value && value->starts_with('/'))
        return fs::path(*value);
    const std::optional<fs::path> home = homeFolder(environment);
    if (!home)
        return std::nullopt;
    return *home / kind.underHome;
}

// Makes every missing folder of `folder`, each open to its user alone as the rules
// ask. A folder that cannot be made is not reported here: the file in it then cannot be
// opened either, and the log and the options file each report that with the file's name.
void makeFolders(const fs::path& folder) {
    fs::path made;
    for (const fs::path& part : folder) {
        made /= part;
        if (mkdir(made.c_str(), 0700) != 0 && errno != EEXIST)
            return;
    }
}

// Whether the program's own folder takes its files. Nothing under /usr does, whoever
// runs the program: that is the packages' tree (root, to whom every folder is writable,
// must not leave a log in /usr/bin).
bool keepsFilesBeside(const fs::path& programFolder) {
    const fs::path folder = programFolder.empty() ? fs::path(".") : programFolder;
    const fs::path usr = "/usr";
    const fs::path absolute = fs::absolute(folder).lexically_normal();
    if (std::mismatch(usr.begin(), usr.end(), absolute.begin(), absolute.end()).first == usr.end())
        return false;
    return access(folder.c_str(), W_OK) == 0;
}

std::string programFile(const std::string& programPath, const char* extension,
                        const BaseFolder& kind, const Environment& environment) {
    const std::string beside = changeFileExt(programPath, extension);
    if (keepsFilesBeside(fs::path(programPath).parent_path()))
        return beside;
    const std::optional<fs::path> base = baseFolder(kind, environment);
    // Neither a program folder that takes files nor a home folder: the file stays
    // beside the program, and its first write reports that it cannot be made there.
    if (!base)
        return beside;
    const fs::path folder = *base / kFolderName;
    makeFolders(folder);
    return (folder / fs::path(beside).filename()).string();
}

}  // namespace

std::optional<std::string> processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::string logFilePath(const std::string& programPath, const Environment& environment) {
    return programFile(programPath, ".log", kState, environment);
}

std::string optionsFilePath(const std::string& programPath, const Environment& environment) {
    return programFile(programPath, ".ini", kConfig, environment);
}

}  // namespace kalvex::common
