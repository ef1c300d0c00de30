#include "cli/run_import.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/default_doctor.h"
#include "cli/nrd_choice.h"
#include "cli/preset_user.h"
#include "cli/stop_signals.h"
#include "common/conversions.h"
#include "common/error.h"
#include "common/folder_files.h"
#include "common/formats.h"
#include "common/logger.h"
#include "common/numbers.h"
#include "common/program_files.h"
#include "common/program_path.h"
#include "db/database_error.h"
#include "db/dry_run.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "engine/run/do_import.h"
#include "engine/run/import_summary.h"
#include "engine/run/interruption.h"
#include "engine/run/run_end.h"
#include "engine/journal/run_journal.h"
#include "ereport/xml_report.h"

namespace kalvex::cli {
namespace {

constexpr const char* kUsage =
    "Usage: kalvex-import run --nrd YEAR|auto (--xml FILE | --folder DIR) --db DATABASE\n"
    "           [--edition gp|s] [--doctor ID] [--xml-doctor POSITION] [--create-doctor]\n"
    "           [--all-doctors] [--hired-egn UIN=EGN]... [--log FILE] [--dry-run]\n"
    "           [--summary table|json] [--ignore-version-check]\n";

constexpr int kCompleted = 0;
constexpr int kStopped = 1;
constexpr int kBadInput = 2;

struct RunOptions {
    std::optional<int> nrd;  // none with --nrd auto: each file's own version
    bool nrdAuto = false;
    bool ignoreVersionCheck = false;
    std::optional<std::string> xmlFile, folder, database, logFile;
    int edition = 0;
    std::optional<std::int32_t> doctorId;
    std::optional<int> xmlDoctor;
    bool createDoctor = false;
    bool allDoctors = false;
    bool dryRun = false;
    std::map<std::string, std::string> hiredEgns;
    bool jsonSummary = false;
};

// A word of the command line that is not what it should be.
class UsageError : public Error {
  public:
    using Error::Error;
};

std::int32_t wholeNumber(std::string_view option, std::string_view value) {
    const auto number = common::parseInteger(value);
    if (!number || *number < 0)
        throw UsageError("Bad value of " + std::string(option) + ": " + std::string(value));
    return *number;
}

void addHiredEgn(RunOptions& options, std::string_view value) {
    const size_t equals = value.find('=');
    if (equals == std::string_view::npos || equals == 0)
        throw UsageError("--hired-egn takes UIN=EGN, not " + std::string(value));
    const std::string egn(value.substr(equals + 1));
    if (!common::ValidEGN(egn))
        throw UsageError("Invalid EGN in --hired-egn " + std::string(value));
    options.hiredEgns[std::string(value.substr(0, equals))] = egn;
}

RunOptions parse(int argc, char** argv) {
    RunOptions options;
    for (int i = 0; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--create-doctor") {
            options.createDoctor = true;
            continue;
        }
        if (option == "--dry-run") {
            options.dryRun = true;
            continue;
        }
        if (option == "--all-doctors") {
            options.allDoctors = true;
            continue;
        }
        if (option == "--ignore-version-check") {
            options.ignoreVersionCheck = true;
            continue;
        }
        if (i + 1 == argc)
            throw UsageError("Missing value of " + std::string(option));
        const std::string_view value = argv[++i];
        if (option == "--nrd") {
            options.nrdAuto = value == kAutoNrd;
            options.nrd = ereport::XmlReport::versionIndex(value);
            if (!options.nrd && !options.nrdAuto)
                throw UsageError("Unknown NRD year " + std::string(value));
        } else if (option == "--xml") {
            options.xmlFile = std::string(value);
        } else if (option == "--folder") {
            options.folder = std::string(value);
        } else if (option == "--db") {
            options.database = std::string(value);
        } else if (option == "--edition") {
            if (value != "gp" && value != "s")
                throw UsageError("--edition takes gp or s, not " + std::string(value));
            options.edition = value == "gp" ? 0 : 1;
        } else if (option == "--doctor") {
            options.doctorId = wholeNumber(option, value);
        } else if (option == "--xml-doctor") {
            options.xmlDoctor = wholeNumber(option, value);
        } else if (option == "--hired-egn") {
            addHiredEgn(options, value);
        } else if (option == "--log") {
            options.logFile = std::string(value);
        } else if (option == "--summary") {
            if (value != "table" && value != "json")
                throw UsageError("--summary takes table or json, not " + std::string(value));
            options.jsonSummary = value == "json";
        } else {
            throw UsageError("Unknown option " + std::string(option));
        }
    }
    if ((!options.nrd && !options.nrdAuto) || !options.database ||
        options.xmlFile.has_value() == options.folder.has_value())
        throw UsageError("--nrd, --db and one of --xml and --folder are required");
    if (options.allDoctors && (options.doctorId || options.xmlDoctor))
        throw UsageError("--all-doctors takes each doctor's database doctor by his UIN: not "
                         "with --doctor or --xml-doctor");
    if (options.nrdAuto && options.ignoreVersionCheck)
        throw UsageError("--ignore-version-check needs --nrd YEAR, not --nrd auto");
    return options;
}

// The e-reports of the run in import order: the file, or the folder's "*.xml" files.
std::vector<std::string> reportFiles(const RunOptions& options) {
    if (options.xmlFile)
        return {*options.xmlFile};
    std::vector<std::string> files;
    for (const std::string& name : common::GetFileNames(*options.folder))
        files.push_back(common::joinPath(*options.folder, name));
    if (files.empty())
        throw Error("В посочената папка няма XML файлове!");
    return files;
}

// The process's log for the run's length. A log that can no longer be written is told
// once on `err`, and the run goes on without it.
class RunLog {
  public:
    RunLog(const std::string& fileName, std::ostream& err) : logger_(fileName) {
        common::AppLogger = &logger_;
        if (!logger_.startFailure().empty())
            err << logger_.startFailure() << '\n';
        logger_.OnFailure = [&err](const std::string& failure) { err << '\n' << failure << '\n'; };
    }
    ~RunLog() {
        logger_.OnFailure = nullptr;
        common::AppLogger = nullptr;
    }
    RunLog(const RunLog&) = delete;
    RunLog& operator=(const RunLog&) = delete;

  private:
    common::TLogger logger_;
};

// What the wizard has settled when it leaves its doctor page.
struct Preparation {
    std::vector<std::string> files;
    std::vector<int> versions;  // the NRD index of each file
    engine::ImportSettings settings;
};

// The NRD version of each file, every file checked before anything is written: a file
// that does not fit --nrd, or with --nrd auto belongs to no one version, refuses the run.
std::vector<int> fileVersions(const RunOptions& options, const std::vector<std::string>& files) {
    std::vector<int> versions;
    for (const std::string& file : files) {
        if (options.ignoreVersionCheck) {
            versions.push_back(*options.nrd);
            continue;
        }
        try {
            versions.push_back(versionForFile(file, options.nrd));
        } catch (const VersionRefused&) {
            throw;
        } catch (const Error&) {
            // A file that does not parse stops the run when its turn comes, as it always
            // did: what the files before it wrote is kept. Its version is never used.
            versions.push_back(options.nrd.value_or(ereport::XmlReport::kVersionCount - 1));
        }
    }
    return versions;
}

// Loads the first e-report, opens the database and settles the doctors, as the
// wizard's file and doctor pages do; every failure here is the user's input.
Preparation prepare(const RunOptions& options, ereport::XmlReport& xml, db::Tdm& dm) {
    Preparation run;
    run.files = reportFiles(options);
    run.versions = fileVersions(options, run.files);
    const auto xmlDoctors = xml.XMLLoadFile(run.versions.front(), run.files.front());
    if (xmlDoctors.empty())
        throw Error("В посоченият XML файл няма данни за нито 1 лекар!");
    const int xmlDoctor = options.xmlDoctor.value_or(0);
    if (static_cast<std::size_t>(xmlDoctor) >= xmlDoctors.size())
        throw UsageError("The e-report has no doctor at position " + std::to_string(xmlDoctor));

    db::GDBOpenDatabase(dm, *options.database);
    const auto databaseDoctors = db::GDBFillDoctorNames(dm);
    std::int32_t doctorId =
        wizardDoctorId(xmlDoctors, databaseDoctors, options.xmlDoctor ? xmlDoctor : -1);
    if (options.doctorId) {
        doctorId = *options.doctorId;
        if (std::none_of(databaseDoctors.begin(), databaseDoctors.end(),
                         [&](const auto& doctor) { return doctor.id == doctorId; }))
            throw UsageError("The database has no doctor with ID " + std::to_string(doctorId));
    }

    run.settings.nrdIndex = run.versions.front();
    run.settings.edition = options.edition;
    run.settings.xmlDoctorIndex = xmlDoctors[static_cast<std::size_t>(xmlDoctor)].position;
    run.settings.databaseDoctorId = doctorId;
    run.settings.createDoctorIfMissing = options.createDoctor;
    run.settings.allDoctors = options.allDoctors;
    run.settings.tellPassedOverDoctors = options.folder.has_value() && !options.allDoctors;
    run.settings.dryRun = options.dryRun;
    return run;
}

// What the journal keeps of the run's settings.
engine::JournalRun journalRun(const RunOptions& options, const Preparation& run) {
    engine::JournalRun journal;
    // The version of each file; one name when they share it (NRD "2009, 2015" under auto).
    for (const int version : run.versions) {
        const std::string name(ereport::XmlReport::kVersionNames[static_cast<std::size_t>(version)]);
        if (journal.nrd.find(name) == std::string::npos)
            journal.nrd += (journal.nrd.empty() ? "" : ", ") + name;
    }
    journal.edition = options.edition;
    journal.files = run.files;
    // Until the run ends and names the doctors its sheets went to.
    journal.doctors =
        options.allDoctors ? engine::kDoctorsByUin : std::to_string(run.settings.databaseDoctorId);
    return journal;
}

// What the files of the run did together, and where the run stopped, if it did.
struct Outcome {
    engine::RunLedger ledger;
    std::string file;                         // the one being imported
    std::vector<engine::ImportedFile> files;  // those begun, with their versions
    std::optional<engine::StopInfo> stop;

    void stopOn(const std::exception& error) {
        const bool interrupted = dynamic_cast<const engine::Interrupted*>(&error) != nullptr;
        stop = engine::StopInfo{file, ledger.counts().stoppedSheet, db::failureText(error),
                                interrupted, {}};
    }
};

// Imports every file of the run; the first is loaded already. Returns the exit code.
int importFiles(const RunOptions& options, Preparation& run, ereport::XmlReport& xml, db::Tdm& dm,
                PresetUser& user, std::ostream& err, Outcome& outcome) {
    for (std::size_t i = 0; i < run.files.size(); ++i) {
        const std::string& file = run.files[i];
        outcome.file = file;
        engine::checkInterruption();
        user.setFile(std::filesystem::path(file).filename().string());
        run.settings.nrdIndex = run.versions[i];
        run.settings.reportFile = file;
        if (options.folder) {
            // A folder imports each file's first doctor, as the wizard's folder loop does,
            // unless it imports them all.
            std::vector<ereport::XmlDoctorItem> doctors;
            try {
                doctors = xml.XMLLoadFile(run.settings.nrdIndex, file);
            } catch (const Error& e) {
                user.endProgressLine();
                err << e.what() << '\n';
                outcome.stop = engine::StopInfo{file, "", e.what(), false, {}};
                return kBadInput;
            }
            run.settings.xmlDoctorIndex = ereport::XMLGetDoctorID(doctors, -1);
        }
        outcome.files.push_back({file, ereport::XmlReport::versionName(run.settings.nrdIndex)});
        engine::DoImport(dm, xml, run.settings, user, outcome.ledger);
    }
    return kCompleted;
}

// Commits what the run kept (a dry run: rolls it all back) and closes the database, so
// that the summary after it tells what the database holds. Returns the exit code.
int endRun(const RunOptions& options, db::Tdm& dm, const db::GeneratorValues& generators,
           Outcome& outcome, int exitCode, std::ostream& err) {
    try {
        engine::endRun(dm, outcome.ledger, options.dryRun ? &generators : nullptr,
                       outcome.stop.has_value());
    } catch (const Error& e) {
        const std::string failure = db::failureText(e);
        err << failure << '\n';
        if (outcome.stop) {
            outcome.stop->reason += "\n" + failure;
            outcome.stop->interrupted = false;
        } else {
            outcome.stopOn(e);
        }
        outcome.stop->lost = outcome.ledger.lost();
        exitCode = kStopped;
    }
    try {
        db::GDBCloseDatabase(dm);
    } catch (const Error& e) {
        // Nothing is left to commit: the connection's end alone failed.
        err << db::failureText(e) << '\n';
    }
    return exitCode;
}

// The summary on stdout, for a person or a script, and in the log.
void report(const Outcome& outcome, bool json, std::ostream& out) {
    const engine::ImportCounts& counts = outcome.ledger.counts();
    const std::vector<engine::DoctorShare> doctors = outcome.ledger.doctorShares();
    if (json) {
        out << engine::summaryJson(counts, outcome.stop, outcome.files, doctors) << '\n';
    } else {
        for (const std::string& line :
             engine::summaryLines(counts, outcome.stop, outcome.files, doctors))
            out << line << '\n';
    }
    out.flush();
    engine::logSummary(counts, outcome.stop, outcome.files, doctors);
}

}  // namespace

int runImport(int argc, char** argv, std::ostream& out, std::ostream& err) {
    common::SetGlobalCultureFormats();
    RunOptions options;
    try {
        options = parse(argc, argv);
    } catch (const UsageError& e) {
        err << e.what() << '\n' << kUsage;
        return kBadInput;
    }

    handleStopSignals();
    const RunLog log(
        options.logFile.value_or(common::logFilePath(common::programPath())), err);

    ereport::XmlReport xml;
    db::Tdm dm;
    Preparation run;
    db::GeneratorValues generators;
    try {
        run = prepare(options, xml, dm);
        if (options.dryRun)
            generators = db::takeGenerators(dm);
    } catch (const Error& e) {
        err << db::failureText(e) << '\n';
        return kBadInput;
    }

    PresetUser user(options.hiredEgns, isatty(STDERR_FILENO) == 1, err);
    int exitCode = kStopped;
    Outcome outcome;
    try {
        if (!options.dryRun)
            engine::beginJournal(dm, outcome.ledger, journalRun(options, run));
        exitCode = importFiles(options, run, xml, dm, user, err, outcome);
    } catch (const std::exception& e) {
        // Any failure ends the run as it ends the wizard's; what came before is kept.
        user.endProgressLine();
        outcome.stopOn(e);
        err << outcome.stop->reason << '\n';
    }
    user.endProgressLine();
    exitCode = endRun(options, dm, generators, outcome, exitCode, err);
    if (outcome.stop)
        outcome.stop->dryRun = options.dryRun;
    report(outcome, options.jsonSummary, out);
    if (options.dryRun)
        err << "Пробен импорт — нищо не е записано в базата.\n";
    return exitCode;
}

}  // namespace kalvex::cli
