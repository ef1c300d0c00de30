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
// printed. Leak checking is off in the child: LeakSanitizer's scan at process exit
// crashes on the dynamic TLS that the embedded Firebird engine leaves behind after a
// failed attach, which would turn a good run into exit code 1. The code the program
// runs is leak-checked in-process by the layers' own tests.
inline ProgramRun runImport(const std::string& arguments) {
    TempDir dir;
    const std::string out = dir.file("out.txt");
    const std::string err = dir.file("err.txt");
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 " + std::string(KALVEX_IMPORT) + " " +
                                arguments + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(out), readBytes(err)};
}

}  // namespace kalvex::testing
