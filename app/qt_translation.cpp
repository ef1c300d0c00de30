#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kalvex::app {

bool installQtTranslation(QCoreApplication& application) {
    // Owned by the application, so that it lives as long as the texts it serves.
    auto* translator = new QTranslator(&application);
    if (!translator->load("qtbase_bg", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace kalvex::app
