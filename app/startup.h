#pragma once

#include <memory>
#include <optional>
#include <string>

namespace kalvex::app {

class DataModule;
class Dialogs;
class TfrmMain;

// The disclaimer shown before anything else; Cancel ends the program.
extern const char* const kDisclaimer;

// What start-up made. Members go in reverse order: the window first, so that it
// unhooks the log before the data module writes the end line.
struct Session {
    std::unique_ptr<DataModule> dm;
    std::unique_ptr<TfrmMain> window;

    Session();
    Session(Session&&) noexcept;
    Session& operator=(Session&&) noexcept;
    ~Session();
};

// The start-up sequence after the application object exists: formats, disclaimer,
// data module, window, options. Empty when the user declined the disclaimer; the log
// then holds a start and an end line and no options were written.
std::optional<Session> startUp(const std::string& programPath, Dialogs& dialogs);

// The way out after the event loop: the window goes, the run's transaction is
// committed (a failure is shown, since the import's rows would be lost), then the
// data module writes the log's end line.
void shutDown(Session& session, Dialogs& dialogs);

}  // namespace kalvex::app
