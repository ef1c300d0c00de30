#pragma once

#include <functional>
#include <optional>
#include <string>

// Where a program keeps its own files, the log and the options file: beside the program
// and named after it while the program's folder takes files (a copy unpacked anywhere,
// the build tree), otherwise in the user's folders of the XDG Base Directory rules, under
// the same name. A folder takes files when this user may write to it and it is not under
// /usr, where an installed copy lies (/usr/bin is writable to root, yet no place for a log).
namespace kalvex::common {

// One variable of the environment; none when it is not set.
using Environment = std::function<std::optional<std::string>(const std::string& name)>;

// The process's own environment.
std::optional<std::string> processEnvironment(const std::string& name);

// The log of the program at `programPath`: "/opt/k/kalvex" keeps "/opt/k/kalvex.log";
// where /opt/k does not take files, "$XDG_STATE_HOME/kalvex/kalvex.log" (by default
// "~/.local/state/kalvex/kalvex.log"), its folder made when missing.
std::string logFilePath(const std::string& programPath,
                        const Environment& environment = processEnvironment);

// The options file, by the same rule: "/opt/k/kalvex.ini", else
// "$XDG_CONFIG_HOME/kalvex/kalvex.ini" (by default "~/.config/kalvex/kalvex.ini").
std::string optionsFilePath(const std::string& programPath,
                            const Environment& environment = processEnvironment);

}  // namespace kalvex::common
