#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "app/qt_text.h"

namespace kalvex::app {
namespace {

// Both file fields share the one list: the e-reports, the practice databases under
// each of their extensions and under both (what the database field opens with, so that
// neither form is hidden at first), and any file.
const char* const kOpenFileFilters =
    "XML Files (*.xml);;GDB Files (*.gdb);;FDB Files (*.fdb);;"
    "Бази на Salvix (*.gdb *.fdb);;Всички файлове (*)";

// Boxes carry the application's title, as the platform's message boxes do.
QString title() {
    return QApplication::applicationName();
}

// Qt's own dialogs rather than the desktop's: they speak the program's Bulgarian
// whatever language the desktop speaks.
constexpr QFileDialog::Options kOwnDialog = QFileDialog::DontUseNativeDialog;

}  // namespace

bool QtDialogs::confirm(QWidget* parent, const std::string& text) {
    return QMessageBox::information(parent, title(), q(text), QMessageBox::Ok | QMessageBox::Cancel,
                                    QMessageBox::Ok) == QMessageBox::Ok;
}

void QtDialogs::information(QWidget* parent, const std::string& text) {
    QMessageBox::information(parent, title(), q(text));
}

void QtDialogs::error(QWidget* parent, const std::string& text) {
    QMessageBox::critical(parent, title(), q(text));
}

bool QtDialogs::question(QWidget* parent, const std::string& caption, const std::string& text) {
    return QMessageBox::question(parent, q(caption), q(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtDialogs::questionNoByDefault(QWidget* parent, const std::string& caption,
                                    const std::string& text) {
    return QMessageBox::question(parent, q(caption), q(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::input(QWidget* parent, const std::string& caption,
                                            const std::string& prompt, const std::string& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, q(caption), q(prompt), QLineEdit::Normal, q(initial), &ok);
    if (!ok)
        return std::nullopt;
    return text.toStdString();
}

std::optional<std::string> QtDialogs::openFile(QWidget* parent, const std::string& title,
                                               const std::string& startFolder,
                                               const std::string& selectedFilter) {
    QString selected = q(selectedFilter);
    const QString name = QFileDialog::getOpenFileName(parent, q(title), q(startFolder),
                                                      q(kOpenFileFilters), &selected, kOwnDialog);
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> QtDialogs::chooseFolder(QWidget* parent, const std::string& title,
                                                   const std::string& startFolder) {
    const QString name = QFileDialog::getExistingDirectory(parent, q(title), q(startFolder),
                                                           kOwnDialog | QFileDialog::ShowDirsOnly);
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

}  // namespace kalvex::app
