// kalvex-import: the import engine without a window.
#include <iostream>
#include <string_view>

#include "cli/list_doctors.h"
#include "cli/list_doctors_db.h"
#include "common/code_page.h"
#include "common/file_version.h"
#include "common/version_config.h"

namespace {

constexpr const char* kUsage =
    "Usage: kalvex-import [--help | --version]\n"
    "       kalvex-import list-doctors --nrd YEAR --xml FILE\n"
    "       kalvex-import list-doctors --db DATABASE\n"
    "\n"
    "Imports e-reports (XML) of general practices into a Salvix practice database,\n"
    "with the same engine as the Kalvex wizard.\n"
    "\n"
    "Options:\n"
    "  --help      show this text and exit\n"
    "  --version   show the program's version and exit\n"
    "\n"
    "Sub-commands:\n"
    "  list-doctors --nrd YEAR --xml FILE\n"
    "              list the doctors of an e-report of NRD YEAR (2003, 2005, 2006, 2008,\n"
    "              2009, 2015, 2018, 2021 or 2022), one line each:\n"
    "              position, UIN and the list text, separated by tabs\n"
    "  list-doctors --db DATABASE\n"
    "              list the doctors of a practice database, one line each, ordered\n"
    "              by ID: ID, UIN and name (first, middle, last), separated by tabs.\n"
    "              DATABASE is a file path (opened without a server) or host:path.\n"
    "\n"
    "Exit codes: 0 success, 1 the import failed, 2 bad usage or input.\n";

}  // namespace

int main(int argc, char** argv) {
    // A database under a Cyrillic folder name must open whatever the locale.
    kalvex::common::useUtf8CharacterSet();
    if (argc >= 2 && std::string_view(argv[1]) == "list-doctors") {
        // The practice database's doctors with --db, an e-report's otherwise.
        if (argc >= 3 && std::string_view(argv[2]) == "--db")
            return kalvex::cli::listDoctorsDb(argc, argv, std::cout, std::cerr);
        return kalvex::cli::listXmlDoctors(argc - 2, argv + 2);
    }
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        std::cout << kUsage;
        return 0;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "kalvex-import " << kalvex::common::kVersionText << '\n';
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
