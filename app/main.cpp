// The Kalvex wizard.
#include <QApplication>
#include <exception>
#include <iostream>
#include <optional>

#include "app/main_window.h"
#include "app/qt_dialogs.h"
#include "app/qt_translation.h"
#include "app/startup.h"
#include "app/stop_signals.h"
#include "common/code_page.h"
#include "common/program_path.h"

namespace {

int runWizard(kalvex::app::QtDialogs& dialogs) {
    std::optional<kalvex::app::Session> session =
        kalvex::app::startUp(kalvex::common::programPath(), dialogs);
    if (!session)
        return 0;
    session->window->show();
    const int exitCode = QApplication::exec();
    kalvex::app::shutDown(*session, dialogs);
    return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // After QApplication, which takes the locale from the environment: a database
    // under a Cyrillic folder name must open whatever that locale is.
    kalvex::common::useUtf8CharacterSet();
    QApplication::setApplicationName("Kalvex - Orvano Ltd.");
    // Without it the dialogs simply keep Qt's English.
    kalvex::app::installQtTranslation(application);
    // Before the first database connection, whose client then calls it as well.
    const kalvex::app::StopSignals stopSignals;
    kalvex::app::QtDialogs dialogs;
    // The last resort: a failure that nothing else expected ends the program with its
    // text and exit code 1; the session has committed what was whole as it went.
    try {
        return runWizard(dialogs);
    } catch (const std::exception& e) {
        std::cerr << "Неочаквана грешка: " << e.what() << '\n';
    } catch (...) {
        // Not an exception of the program or its libraries: nothing more to tell.
        std::cerr << "Неочаквана грешка.\n";
    }
    return 1;
}
