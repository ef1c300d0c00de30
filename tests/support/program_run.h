#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace kalvex::testing {

struct ProgramRun {
    int exitCode;
    std::string out;
    std::string err;
};

// Runs the shell `command` and keeps what it printed.
inline ProgramRun runCommand(const std::string& command) {
    TempDir dir;
    const std::string out = dir.file("out.txt");
    const std::string err = dir.file("err.txt");
    const std::string redirected = command + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(redirected.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(out), readBytes(err)};
}

// Runs kalvex-import with `arguments` (shell words) as a user would and keeps what it
// printed. The child inherits the sanitizer settings of the test run; `environment`
// (shell words such as "LC_ALL=C") sets more for the child alone.
inline ProgramRun runImport(const std::string& arguments, const std::string& environment = {}) {
    return runCommand(environment + " " + KALVEX_IMPORT + " " + arguments);
}

}  // namespace kalvex::testing
