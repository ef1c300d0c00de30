#include "cli/run_history_commands.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "common/characters.h"
#include "common/error.h"
#include "common/formats.h"
#include "common/logger.h"
#include "common/numbers.h"
#include "common/program_files.h"
#include "common/program_path.h"
#include "db/database_error.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "engine/journal/run_history.h"
#include "engine/journal/run_undo.h"

namespace kalvex::cli {
namespace {

constexpr const char* kRunsUsage = "Usage: kalvex-import runs --db DATABASE [--json]\n";
constexpr const char* kUndoUsage =
    "Usage: kalvex-import undo --db DATABASE RUN [--dry-run] [--force] [--summary table|json]\n"
    "           [--log FILE]\n";

constexpr int kDone = 0;
constexpr int kKept = 1;
constexpr int kRefused = 2;

struct HistoryOptions {
    std::optional<std::string> database, logFile;
    std::optional<std::int32_t> run;
    bool json = false, dryRun = false, force = false;
};

// The words of either sub-command; `undo` takes the run and its flags.
std::optional<HistoryOptions> parse(int argc, char** argv, bool undo, std::ostream& err) {
    HistoryOptions options;
    for (int i = 0; i < argc; ++i) {
        const std::string_view word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (word == "--db" && hasValue) {
            options.database = argv[++i];
        } else if (!undo && word == "--json") {
            options.json = true;
        } else if (undo && word == "--dry-run") {
            options.dryRun = true;
        } else if (undo && word == "--force") {
            options.force = true;
        } else if (undo && word == "--summary" && hasValue &&
                   (std::string_view(argv[i + 1]) == "table" ||
                    std::string_view(argv[i + 1]) == "json")) {
            options.json = std::string_view(argv[++i]) == "json";
        } else if (undo && word == "--log" && hasValue) {
            options.logFile = argv[++i];
        } else if (undo && !options.run && common::parseInteger(word) &&
                   *common::parseInteger(word) > 0) {
            options.run = *common::parseInteger(word);
        } else {
            err << "Unknown or incomplete option " << word << '\n';
            return std::nullopt;
        }
    }
    if (!options.database || (undo && !options.run))
        return std::nullopt;
    return options;
}

}  // namespace

int listRuns(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const std::optional<HistoryOptions> options = parse(argc, argv, false, err);
    if (!options) {
        err << kRunsUsage;
        return kRefused;
    }
    common::SetGlobalCultureFormats();
    db::Tdm dm;
    try {
        db::GDBOpenDatabase(dm, *options->database);
        const std::vector<engine::RunRecord> runs = engine::journaledRuns(dm);
        if (options->json)
            out << engine::runsJson(runs) << '\n';
        else
            for (const std::string& line : engine::runsLines(runs))
                out << line << '\n';
        db::GDBCloseDatabase(dm);
    } catch (const Error& e) {
        err << db::failureText(e) << '\n';
        return kRefused;
    }
    return kDone;
}

int undoImport(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const std::optional<HistoryOptions> options = parse(argc, argv, true, err);
    if (!options) {
        err << kUndoUsage;
        return kRefused;
    }
    common::SetGlobalCultureFormats();
    common::TLogger logger(
        options->logFile.value_or(common::logFilePath(common::programPath())));
    if (!logger.startFailure().empty())
        err << logger.startFailure() << '\n';
    logger.OnFailure = [&err](const std::string& failure) { err << failure << '\n'; };
    db::Tdm dm;
    try {
        db::GDBOpenDatabase(dm, *options->database);
    } catch (const Error& e) {
        err << db::failureText(e) << '\n';
        return kRefused;
    }
    logger.LogEntry("Отмяна на импорт № " + std::to_string(*options->run) + " в базата " +
                    *options->database);
    engine::UndoOutcome outcome;
    try {
        outcome = engine::undoRun(dm, *options->run, options->force, options->dryRun);
    } catch (const engine::UndoRefused& e) {
        logger.LogEntry(common::oneLine(e.what()));
        err << e.what() << '\n';
        if (e.forcible())
            err << "С --force импортът се отменя въпреки това: записите, които по-късни "
                   "записи използват, се запазват.\n";
        return kRefused;
    } catch (const Error& e) {
        // A fault of the database stops the undo, which is rolled back whole.
        const std::string failure = "Отмяната спря и нищо не е променено: " + db::failureText(e);
        logger.LogEntry(common::oneLine(failure));
        err << failure << '\n';
        return kKept;
    }
    for (const std::string& line : engine::undoLines(outcome))
        logger.LogEntry(line);
    if (options->json)
        out << engine::undoJson(outcome) << '\n';
    else
        for (const std::string& line : engine::undoLines(outcome))
            out << line << '\n';
    return outcome.complete() ? kDone : kKept;
}

}  // namespace kalvex::cli
