#include "app/undo_flow.h"

#include <string>
#include <vector>

#include "app/dialogs.h"
#include "common/characters.h"
#include "common/error.h"
#include "db/database_error.h"
#include "engine/journal/run_undo.h"

namespace kalvex::app {

const char* const kUndoCaption = "Отмяна на импорт";

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

// An undo ends the transaction it works in, whichever way it goes.
void startAgain(db::Tdm& dm) {
    if (!dm.traMain.isActive())
        dm.traMain.start();
}

// What a refused or failed undo did so far goes with its transaction.
void giveUp(db::Tdm& dm) {
    if (dm.traMain.isActive())
        dm.traMain.rollback();
    startAgain(dm);
}

}  // namespace

bool askAndUndoRun(QWidget* parent, Dialogs& dialogs, common::TLogger& log, db::Tdm& dm,
                   std::int32_t run) {
    try {
        // Worked out and rolled back first, so that the question names what would go.
        startAgain(dm);
        const engine::UndoOutcome preview = engine::undoRun(dm, run, false, true);
        startAgain(dm);
        if (!dialogs.question(parent, kUndoCaption,
                              joined(engine::undoLines(preview)) + "\n\nДа се отмени ли импортът?"))
            return false;
        log.LogEntry("Отмяна на импорт № " + std::to_string(run));
        const engine::UndoOutcome outcome = engine::undoRun(dm, run, false, false);
        startAgain(dm);
        const std::vector<std::string> lines = engine::undoLines(outcome);
        for (const std::string& line : lines)
            log.LogEntry(line);
        dialogs.information(parent, joined(lines));
        return true;
    } catch (const engine::UndoRefused& e) {
        giveUp(dm);
        log.LogEntry(common::oneLine(e.what()));
        dialogs.error(parent, e.what());
    } catch (const Error& e) {
        // A fault of the database stops the undo whole; the connection may be gone
        // with it, so the error box is shown whatever becomes of the transaction.
        const std::string failure = "Отмяната спря и нищо не е променено: " + db::failureText(e);
        log.LogEntry(common::oneLine(failure));
        try {
            giveUp(dm);
        } catch (const Error&) {
            // The fault above is the one to tell; a dead connection is reopened by the
            // next step that needs it.
        }
        dialogs.error(parent, failure);
    }
    return false;
}

}  // namespace kalvex::app
