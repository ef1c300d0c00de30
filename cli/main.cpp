// kalvex-import: the import engine without a window.
#include <iostream>
#include <string_view>

#include "cli/list_doctors.h"
#include "cli/list_doctors_db.h"
#include "cli/run_history_commands.h"
#include "cli/run_import.h"
#include "common/code_page.h"
#include "common/file_version.h"
#include "common/version_config.h"

namespace {

constexpr const char* kUsage =
    "Usage: kalvex-import [--help | --version]\n"
    "       kalvex-import list-doctors --nrd YEAR|auto --xml FILE\n"
    "       kalvex-import list-doctors --db DATABASE\n"
    "       kalvex-import run --nrd YEAR|auto (--xml FILE | --folder DIR) --db DATABASE\n"
    "           [--edition gp|s] [--doctor ID] [--xml-doctor POSITION] [--create-doctor]\n"
    "           [--all-doctors] [--hired-egn UIN=EGN]... [--log FILE] [--dry-run]\n"
    "           [--summary table|json] [--ignore-version-check]\n"
    "       kalvex-import runs --db DATABASE [--json]\n"
    "       kalvex-import undo --db DATABASE RUN [--dry-run] [--force]\n"
    "           [--summary table|json] [--log FILE]\n"
    "\n"
    "Imports e-reports (XML) of general practices into a Salvix practice database,\n"
    "with the same engine as the Kalvex wizard.\n"
    "\n"
    "Options:\n"
    "  --help      show this text and exit\n"
    "  --version   show the program's version and exit\n"
    "\n"
    "Sub-commands:\n"
    "  list-doctors --nrd YEAR|auto --xml FILE\n"
    "              list the doctors of an e-report of NRD YEAR (2003, 2005, 2006, 2008,\n"
    "              2009, 2015, 2018, 2021 or 2022), one line each:\n"
    "              position, UIN and the list text, separated by tabs; with auto, of\n"
    "              the version the file belongs to (see run), named on stderr\n"
    "  list-doctors --db DATABASE\n"
    "              list the doctors of a practice database, one line each, ordered\n"
    "              by ID: ID, UIN and name (first, middle, last), separated by tabs.\n"
    "              DATABASE is a file path (opened without a server) or host:path.\n"
    "  run         import the e-report FILE, or every *.xml file of DIR in name order,\n"
    "              of NRD YEAR into the practice DATABASE, as the wizard does, in one\n"
    "              transaction that is committed at the end, also after an error\n"
    "              (the sheets imported before it stay). Before anything is written\n"
    "              every file is checked against its NRD version: each version is the\n"
    "              contract in force from its year until the next one (2009 for\n"
    "              2009-2014), so the sheets' dates must fall in its period, and its\n"
    "              model must read every value the import reads. A file that does not\n"
    "              fit is refused (exit code 2) with the version it seems to be of:\n"
    "    --nrd auto            each file under the version it clearly belongs to (all\n"
    "                          its dates in that version's period, every value read);\n"
    "                          a file with dates of two periods, or that no version\n"
    "                          reads, is refused\n"
    "    --ignore-version-check import under --nrd YEAR without the check\n"
    "    --edition gp|s        the database edition: Salvix GP (default) or Salvix S\n"
    "    --doctor ID           the DOCTOR.ID of the database doctor the sheets go to;\n"
    "                          by default the one the wizard preselects: with\n"
    "                          --xml-doctor, the doctor of that doctor's UIN; else\n"
    "                          the one named as the e-report's first doctor; else\n"
    "                          the first (none in an empty doctor table)\n"
    "    --xml-doctor POSITION the e-report doctor to import, from 0 (default 0); a\n"
    "                          folder imports the first doctor of each file and\n"
    "                          names the others in the log (their sheets skipped)\n"
    "    --all-doctors         import every doctor of the e-report (of each file of\n"
    "                          the folder), each under the database doctor of his\n"
    "                          UIN (and of his speciality, where several database\n"
    "                          doctors share the UIN); not with --doctor or\n"
    "                          --xml-doctor. A doctor the database lacks is skipped,\n"
    "                          with a log line and a summary line naming him; with\n"
    "                          --create-doctor on NRD 2022 he is created. The\n"
    "                          summary has a block per doctor and their total\n"
    "                          (JSON: \"by_doctor\": [{uin, name, database_doctor_id,\n"
    "                          counts...}])\n"
    "    --create-doctor       NRD 2022: take the database doctor of the e-report\n"
    "                          doctor's UIN and speciality, created when missing\n"
    "    --hired-egn UIN=EGN   create the hired or substitute doctor of UIN with this\n"
    "                          EGN (repeatable); other such doctors are not created,\n"
    "                          nor one whose EGN another doctor has already\n"
    "    --log FILE            the log file (default: beside the program, .log;\n"
    "                          in $XDG_STATE_HOME/kalvex/ where the program's\n"
    "                          folder is not writable)\n"
    "    --dry-run             run the whole import, then roll it all back and set\n"
    "                          the generators back: the database stays as it was;\n"
    "                          the log shows what the run would have done\n"
    "    --summary table|json  what the run did, on stdout when it ends, stopped or\n"
    "                          not: a table (default) of rows written, already in the\n"
    "                          database, skipped (unknown code, not found, left out)\n"
    "                          and failed per kind, or one JSON object with the same\n"
    "                          counts, \"stopped\": {file, sheet, reason} or null and\n"
    "                          \"files\": [{file, nrd}], the version of each file\n"
    "              On a terminal, stderr shows the file and sheet being imported.\n"
    "\n"
    "              The summary is printed after the final commit and tells what the\n"
    "              database holds; a sheet stopped on an error is rolled back whole.\n"
    "              Ctrl-C, SIGTERM or SIGHUP stop the run after the sheet under way:\n"
    "              what came before is committed and the summary says the run was\n"
    "              interrupted; a second signal ends the program at once.\n"
    "  runs --db DATABASE [--json]\n"
    "              every import kept in the database's journal, oldest first: ID,\n"
    "              started, finished, state (completed, stopped, undone, partly\n"
    "              undone), NRD, files, doctors and rows written; --json as an array\n"
    "  undo --db DATABASE RUN\n"
    "              take import RUN back in one transaction: its rows deleted, the\n"
    "              columns it changed set back. A row changed since, or used by other\n"
    "              rows, is kept with the reason, and so are the rows it belongs to.\n"
    "              Refused (exit 2) when the tables it wrote were written after it,\n"
    "              unless --force. Exit 0 all taken back, 1 rows kept, 2 refused.\n"
    "    --dry-run             tell what the undo would do, change nothing\n"
    "    --force               take it back although others wrote after it\n"
    "    --summary table|json  the outcome as a table (default) or one JSON object\n"
    "    --log FILE            the log file (default: beside the program, .log;\n"
    "                          in $XDG_STATE_HOME/kalvex/ where the program's\n"
    "                          folder is not writable)\n"
    "\n"
    "Exit codes: 0 success, 1 the import stopped on an error or was interrupted (the\n"
    "reason on stderr), 2 bad usage, an e-report that cannot be loaded or does not\n"
    "fit its NRD version, or a database that cannot be opened.\n";

int run(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "list-doctors") {
        // The practice database's doctors with --db, an e-report's otherwise.
        if (argc >= 3 && std::string_view(argv[2]) == "--db")
            return kalvex::cli::listDoctorsDb(argc, argv, std::cout, std::cerr);
        return kalvex::cli::listXmlDoctors(argc - 2, argv + 2);
    }
    if (argc >= 2 && std::string_view(argv[1]) == "run")
        return kalvex::cli::runImport(argc - 2, argv + 2, std::cout, std::cerr);
    if (argc >= 2 && std::string_view(argv[1]) == "runs")
        return kalvex::cli::listRuns(argc - 2, argv + 2, std::cout, std::cerr);
    if (argc >= 2 && std::string_view(argv[1]) == "undo")
        return kalvex::cli::undoImport(argc - 2, argv + 2, std::cout, std::cerr);
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

}  // namespace

int main(int argc, char** argv) {
    // A database under a Cyrillic folder name must open whatever the locale.
    kalvex::common::useUtf8CharacterSet();
    // The last resort: a failure nothing else expected ends the program with its text
    // and exit code 1; the database has committed what was whole as it went.
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "Неочаквана грешка: " << e.what() << '\n';
    } catch (...) {
        // Not an exception of the program or its libraries: nothing more to tell.
        std::cerr << "Неочаквана грешка.\n";
    }
    return 1;
}
