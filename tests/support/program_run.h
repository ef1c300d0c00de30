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

// Runs kalvex-import with `arguments` (shell words) as a user would and keeps what it
// printed. The child inherits the sanitizer settings of the test run; `environment`
// (shell words such as "LC_ALL=C") sets more for the child alone.
inline ProgramRun runImport(const std::string& arguments, const std::string& environment = {}) {
    TempDir dir;
    const std::string out = dir.file("out.txt");
    const std::string err = dir.file("err.txt");
    const std::string command =
        environment + " " + KALVEX_IMPORT + " " + arguments + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(out), readBytes(err)};
}

}  // namespace kalvex::testing
