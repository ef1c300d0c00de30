#include "app/startup.h"

#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/options.h"
#include "common/error.h"
#include "common/formats.h"

namespace kalvex::app {

// Each line ends in a single line feed: a carriage return after it would draw as an
// extra empty line in the box.
const char* const kDisclaimer =
    "Този софтуер е предназначен за дилъри на програма Salvix.\n"
    "Използването на програма Kalvex в ежедневната работа на лекарите не е препоръчителна,\n"
    "защото води до загуба на информация при синхронизацията на няколко бази на Salvix, "
    "което може да доведе до грешки в XML отчета.\n"
    "С потвърждаването на това съобщение Вие се съгласявате да използвате програмата на "
    "своя отговорност и не можете да предявявате никакви материални или парични искове към "
    "Орвано ЕАД свързани с пропуснати ползи или глоби наложени Ви от НЗОК.\n"
    "Орвано ЕАД не предоставя официална поддръжка на програмата Kalvex.\n"
    "Сигурни ли сте че искате да продължите? ";

Session::Session() = default;
Session::Session(Session&&) noexcept = default;
Session& Session::operator=(Session&&) noexcept = default;
Session::~Session() = default;

std::optional<Session> startUp(const std::string& programPath, Dialogs& dialogs) {
    common::SetGlobalCultureFormats();
    const bool accepted = dialogs.confirm(nullptr, kDisclaimer);

    Session session;
    session.dm = std::make_unique<DataModule>(programPath);
    if (!accepted)
        return std::nullopt;  // the data module goes at once: start and end line only
    if (const std::string& failure = session.dm->logger().startFailure(); !failure.empty())
        dialogs.error(nullptr, failure);
    session.window = std::make_unique<TfrmMain>(*session.dm, dialogs);
    session.window->applyOptions(LoadOptionsFromFile(session.dm->OptionsFileName()));
    return session;
}

void shutDown(Session& session, Dialogs& dialogs) {
    session.window.reset();
    try {
        session.dm->closeDatabase();
    } catch (const Error& e) {
        dialogs.error(nullptr, e.what());
    }
    session.dm.reset();
}

}  // namespace kalvex::app
