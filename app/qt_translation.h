#pragma once

class QCoreApplication;

namespace kalvex::app {

// Makes Qt's own texts Bulgarian: the file and folder dialogs, the buttons of the
// message boxes, the input box. False, and nothing changed, on a machine without
// Qt's Bulgarian translation; those texts then stay in English.
bool installQtTranslation(QCoreApplication& application);

}  // namespace kalvex::app
