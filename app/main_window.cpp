// The wizard's flow: what each button does on each page.
#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextCursor>
#include <filesystem>

#include "app/about_window.h"
#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/options.h"
#include "app/qt_text.h"
#include "app/summary_table.h"
#include "app/undo_dialog.h"
#include "app/wait_cursor.h"
#include "common/file_version.h"
#include "common/folder_files.h"
#include "common/program_path.h"
#include "db/gdb_mediator.h"

namespace kalvex::app {
namespace {

std::string programFolder() {
    return std::filesystem::path(common::programPath()).parent_path().string();
}

}  // namespace

TfrmMain::TfrmMain(DataModule& dm, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), endProgram([] { QCoreApplication::quit(); }), dm_(dm), dialogs_(dialogs) {
    buildLayout();
    connectHandlers();
    setUpKeyboard();

    // FormCreate
    setWindowTitle(q(common::MainWindowCaption(common::GetFileVersion())));
    dm_.logger().OnLog = [this](const std::string& message) { LogToMemo(message); };
    // A log file that can no longer be written stops nothing: the user is told once,
    // and the details page keeps every line.
    dm_.logger().OnFailure = [this](const std::string& failure) {
        mmoLog->appendPlainText(q(failure));
        if (!endRequested_)
            dialogs_.error(this, failure);
    };
    resize(625, 430);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    showPage(tshWelcome);
    btnPrev->setEnabled(false);
    tabs->setCurrentIndex(0);
    rbFolder->setChecked(true);
    selectTypeOfImport();
}

TfrmMain::~TfrmMain() {
    dm_.logger().OnLog = nullptr;
    dm_.logger().OnFailure = nullptr;
}

void TfrmMain::connectHandlers() {
    connect(btnNext, &QPushButton::clicked, this, [this] { guarded([this] { btnNextClick(); }); });
    connect(btnPrev, &QPushButton::clicked, this, [this] { btnPrevClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnAbout, &QPushButton::clicked, this, [this] { btnAboutClick(); });
    connect(btnImportAgain, &QPushButton::clicked, this,
            [this] { guarded([this] { btnImportAgainClick(); }); });
    connect(btnUndoImport, &QPushButton::clicked, this,
            [this] { guarded([this] { btnUndoImportClick(); }); });
    connect(btnUndoRun, &QPushButton::clicked, this, [this] { btnUndoRunClick(); });
    connect(btnImportForReal, &QPushButton::clicked, this,
            [this] { guarded([this] { btnImportForRealClick(); }); });
    tblSummary->onKindWithLosses = [this](engine::RowKind kind) { showKindLog(kind); };
    connect(ckbDryRun, &QCheckBox::toggled, this, [this] { fillRunOverview(); });
    // A click on a radio button checks it and switches the mode; the other one is
    // unchecked by hand since they are not auto-exclusive.
    connect(rbFolder, &QRadioButton::clicked, this, [this] {
        rbFolder->setChecked(true);
        rbFile->setChecked(false);
        selectTypeOfImport();
    });
    connect(rbFile, &QRadioButton::clicked, this, [this] {
        rbFile->setChecked(true);
        rbFolder->setChecked(false);
        selectTypeOfImport();
    });
    connect(btnSelectDir, &QPushButton::clicked, this, [this] { btnSelectDirClick(); });
    connect(btnSelectDirUNC, &QPushButton::clicked, this, [this] { btnSelectDirUNCClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    // Dropping the prepared statements talks to the database, which can fail.
    connect(cbNRD, &QComboBox::activated, this, [this] { guarded([this] { cbNRDChange(); }); });
    connect(ckbAllDoctors, &QCheckBox::clicked, this,
            [this](bool checked) { guarded([this, checked] { ckbAllDoctorsClick(checked); }); });
    connect(cbxDoctorXML, &QComboBox::activated, this,
            [this](int index) { cbxDoctorXMLChange(index); });
    connect(ckbVerbose, &QCheckBox::clicked, this,
            [this](bool checked) { guarded([&] { ckbVerboseClick(checked); }); });
}

void TfrmMain::applyOptions(const Options& options) {
    // Checking a radio button works as a click: the other is unchecked and the mode
    // switches. Unchecking touches nothing else, so both may end unchecked.
    const auto setRadio = [this](QRadioButton* button, QRadioButton* other, bool checked) {
        button->setChecked(checked);
        if (checked) {
            other->setChecked(false);
            selectTypeOfImport();
        }
    };
    setRadio(rbFolder, rbFile, options.rbFolderChecked);
    setRadio(rbFile, rbFolder, options.rbFileChecked);
    edtXMLDir->setText(q(options.edtXMLDir));
    edtXMLfile->setText(q(options.edtXMLfile));
    edtGDBfile->setText(q(options.edtGDBfile));
    // An index outside the list leaves no edition selected.
    cbSalvixType->setCurrentIndex(options.cbSalvixType >= 0 &&
                                          options.cbSalvixType < cbSalvixType->count()
                                      ? options.cbSalvixType
                                      : -1);
}

Options TfrmMain::currentOptions() const {
    Options options;
    options.rbFolderChecked = rbFolder->isChecked();
    options.rbFileChecked = rbFile->isChecked();
    options.edtXMLDir = s(edtXMLDir->text());
    options.edtXMLfile = s(edtXMLfile->text());
    options.edtGDBfile = s(edtGDBfile->text());
    options.cbSalvixType = cbSalvixType->currentIndex();
    return options;
}

void TfrmMain::showPage(QWidget* page) {
    pages->setCurrentWidget(page);
    lblStatus->setText(page->windowTitle());
    if (page == tshProgress)
        tshProgressShow();
    else if (page == tshFinishUpdate)
        tshFinishUpdateShow();
    focusPage(page);
}

void TfrmMain::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        // The top of a user action, where the framework would show its error box:
        // the action ends here and the wizard stays where it is.
        dialogs_.error(this, e.what());
    }
}

void TfrmMain::btnNextClick() {
    if (tabs->currentWidget() == tshDetails) {
        tabs->setCurrentIndex(0);
        return;
    }
    QWidget* current = pages->currentWidget();
    if (current == tshWelcome) {
        showPage(tshChooseXMLandDB);
        btnNext->setEnabled(cbNRD->currentIndex() >= 0);
        btnPrev->setEnabled(true);
    } else if (current == tshChooseXMLandDB) {
        leaveFilePage();
    } else if (current == tshDoctor) {
        fillRunOverview();
        showPage(tshInformationGathered);
    } else if (current == tshInformationGathered) {
        showPage(tshProgress);
    } else if (current == tshProgress) {
        showPage(tshFinishUpdate);
    } else if (current == tshFinishUpdate) {
        closeDatabase();
        dm_.logger().LogEntryVerbose("Записване на настройките във лог-а");
        SaveOptionsToFile(dm_.OptionsFileName(), currentOptions());
        endProgram();
    }
}

void TfrmMain::btnPrevClick() {
    if (tabs->currentWidget() == tshDetails) {
        tabs->setCurrentIndex(0);
        return;
    }
    QWidget* current = pages->currentWidget();
    if (current == tshChooseXMLandDB) {
        showPage(tshWelcome);
        btnNext->setEnabled(true);
        btnPrev->setEnabled(false);
    } else if (current == tshDoctor) {
        showPage(tshChooseXMLandDB);
    } else if (current == tshInformationGathered) {
        showPage(tshDoctor);
    } else {
        lblStatus->setText(current->windowTitle());
    }
}

void TfrmMain::btnCancelClick() {
    if (tabs->currentWidget() == tshDetails) {
        tabs->setCurrentIndex(0);
        return;
    }
    endRequested_ = importing_;
    endProgram();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // The program ends with the last window closed; an import running in the start
    // message's handler goes on to its end first.
    if (importing_)
        endRequested_ = true;
    QWidget::closeEvent(event);
}

void TfrmMain::btnAboutClick() {
    AboutWindow about(this);
    about.exec();
}

void TfrmMain::selectTypeOfImport() {
    const bool folderMode = !rbFile->isChecked();
    edtXMLDir->setEnabled(folderMode);
    btnSelectDir->setEnabled(folderMode);
    edtXMLfile->setEnabled(!folderMode);
    btnSelectDirUNC->setEnabled(!folderMode);
}

void TfrmMain::btnSelectDirClick() {
    const std::string current = s(edtXMLDir->text());
    if (const auto folder = dialogs_.chooseFolder(this, "Изберете папка...",
                                                  common::pathExists(current, true) ? current : ""))
        edtXMLDir->setText(q(*folder));
}

void TfrmMain::btnSelectDirUNCClick() {
    if (const auto file =
            dialogs_.openFile(this, "Отвори XML файл...", programFolder(), "XML Files (*.xml)"))
        edtXMLfile->setText(q(*file));
}

void TfrmMain::Button1Click() {
    if (const auto file = dialogs_.openFile(this, "Отвори GDB файл...", programFolder(),
                                            "Бази на Salvix (*.gdb *.fdb)"))
        edtGDBfile->setText(q(*file));
}

void TfrmMain::cbNRDChange() {
    dm_.database.clearNamedStatements();
    btnNext->setEnabled(cbNRD->currentIndex() >= 0);
}

void TfrmMain::ckbVerboseClick(bool checked) {
    dm_.logger().SetVerbose(checked);
}

void TfrmMain::btnUndoImportClick() {
    // The database of the file page, or one chosen as its "Избери" chooses it.
    if (edtGDBfile->text().isEmpty())
        Button1Click();
    const std::string name = s(edtGDBfile->text());
    if (name.empty())
        return;
    // A connection of its own, whatever the wizard holds open: the list and the undo
    // commit as they go, and it is closed with the dialog.
    db::Tdm database;
    {
        const WaitCursor busy;
        db::GDBOpenDatabase(database, name);
    }
    UndoDialog dialog(database, dialogs_, dm_.logger(), this);
    dialog.exec();
    db::GDBCloseDatabase(database);
}

void TfrmMain::closeDatabase() {
    const WaitCursor busy;
    dm_.closeDatabase();
}

void TfrmMain::LogToMemo(const std::string& message) {
    mmoLog->appendPlainText(q(message));
    // The view follows the cursor, also when the tab is first shown: at the start of
    // the last line it stays at the left edge, not at the end of the longest line.
    mmoLog->moveCursor(QTextCursor::End);
    mmoLog->moveCursor(QTextCursor::StartOfBlock);
    QCoreApplication::processEvents();
}

void TfrmMain::letWindowAnswer() {
    // Clicks and keys wait for the load's end, as they would with no messages running
    // in it: a second "Напред >" must not start the file page's work again inside the
    // first.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace kalvex::app
