// The wizard's flow: what each button does on each page.
#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <filesystem>

#include "app/about_window.h"
#include "app/artwork.h"
#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/doctor_names.h"
#include "app/folder_files.h"
#include "app/options.h"
#include "common/error.h"
#include "common/file_version.h"
#include "common/program_path.h"
#include "db/gdb_mediator.h"
#include "engine/do_import.h"

namespace kalvex::app {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}
std::string s(const QString& text) {
    return text.toStdString();
}

bool exists(const std::string& path, bool folder) {
    std::error_code error;  // an unreadable path counts as missing
    const auto status = std::filesystem::status(path, error);
    return !error && (folder ? std::filesystem::is_directory(status)
                             : std::filesystem::is_regular_file(status));
}

std::string programFolder() {
    return std::filesystem::path(common::programPath()).parent_path().string();
}

}  // namespace

TfrmMain::TfrmMain(DataModule& dm, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), endProgram([] { QCoreApplication::quit(); }), dm_(dm), dialogs_(dialogs) {
    buildLayout();
    connectHandlers();

    // FormCreate
    setWindowTitle(q(common::MainWindowCaption(common::GetFileVersion())));
    dm_.logger().OnLog = [this](const std::string& message) { LogToMemo(message); };
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
}

void TfrmMain::connectHandlers() {
    connect(btnNext, &QPushButton::clicked, this, [this] { guarded([this] { btnNextClick(); }); });
    connect(btnPrev, &QPushButton::clicked, this, [this] { btnPrevClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnAbout, &QPushButton::clicked, this, [this] { btnAboutClick(); });
    connect(btnImportAgain, &QPushButton::clicked, this,
            [this] { guarded([this] { btnImportAgainClick(); }); });
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
    connect(cbNRD, &QComboBox::activated, this, [this] { cbNRDChange(); });
    connect(cbxDoctorXML, &QComboBox::activated, this,
            [this](int index) { cbxDoctorXMLChange(index); });
    connect(ckbVerbose, &QCheckBox::clicked, this,
            [this](bool checked) { guarded([&] { ckbVerboseClick(checked); }); });
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    // Enter anywhere in the window acts as "Напред >" while that button is enabled;
    // the controls pass it on to the window since none of them takes it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (btnNext->isEnabled())
            btnNext->click();
        return;
    }
    QWidget::keyPressEvent(event);
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
        showPage(tshInformationGathered);
    } else if (current == tshInformationGathered) {
        showPage(tshProgress);
    } else if (current == tshProgress) {
        showPage(tshFinishUpdate);
    } else if (current == tshFinishUpdate) {
        db::GDBCloseDatabase(dm_.database);
        dm_.logger().LogEntryVerbose("Записване на настройките във лог-а");
        SaveOptionsToFile(dm_.OptionsFileName(), currentOptions());
        endProgram();
    }
}

void TfrmMain::leaveFilePage() {
    const std::string file = s(edtXMLfile->text());
    const std::string folder = s(edtXMLDir->text());
    if (!exists(file, false) && !exists(folder, true)) {
        dialogs_.information(this, "Посоченият файл не съществува!");
        return;
    }
    loadXml(rbFile->isChecked() ? file : joinPath(folder, firstFolderFile()));
    if (cbxDoctorXML->count() == 0) {
        dialogs_.information(this, "В посоченият XML файл няма данни за нито 1 лекар!");
        btnNext->setEnabled(false);
    } else {
        cbxDoctorXML->setCurrentIndex(0);
    }

    db::GDBOpenDatabase(dm_.database, s(edtGDBfile->text()));
    cbxDoctorGDB->clear();
    GDB_UINS.clear();
    GDB_UINS = db::GDBFillDoctorNames(dm_.database);
    for (const db::GdbDoctor& doctor : GDB_UINS)
        cbxDoctorGDB->addItem(q(doctor.text), doctor.id);
    cbxDoctorGDB->setCurrentIndex(-1);
    cbImportDoctorIfNotExists->setVisible(true);
    preselectDatabaseDoctorByName();

    SaveOptionsToFile(dm_.OptionsFileName(), currentOptions());
    showPage(tshDoctor);
}

std::string TfrmMain::firstFolderFile() const {
    const std::vector<std::string> names = GetFileNames(s(edtXMLDir->text()));
    if (names.empty())
        throw Error("В посочената папка няма XML файлове!");
    return names.front();
}

void TfrmMain::loadXml(const std::string& fileName) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    std::vector<ereport::XmlDoctorItem> doctors =
        dm_.xml.XMLLoadFile(cbNRD->currentIndex(), fileName);
    // NRD "2003" binds nothing and leaves the list as it was.
    if (cbNRD->currentIndex() == 0)
        return;
    XML_UINS = std::move(doctors);
    cbxDoctorXML->clear();
    for (const ereport::XmlDoctorItem& doctor : XML_UINS)
        cbxDoctorXML->addItem(q(doctor.text), doctor.position);
    cbxDoctorXML->setMaxVisibleItems(std::min(cbxDoctorXML->count(), 20));
    cbxDoctorXML->setCurrentIndex(-1);
}

void TfrmMain::preselectDatabaseDoctorByName() {
    const int match =
        cbxDoctorXML->count() == 0
            ? -1
            : cbxDoctorGDB->findText(q(databaseNameOfXmlEntry(s(cbxDoctorXML->itemText(0)))),
                                     Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match >= 0) {
        cbxDoctorGDB->setCurrentIndex(match);
        cbImportDoctorIfNotExists->setVisible(false);
    } else if (cbxDoctorGDB->count() == 0) {
        dialogs_.information(this, "В посочената база няма данни за нито 1 лекар!");
    } else {
        cbxDoctorGDB->setCurrentIndex(0);
    }
}

void TfrmMain::cbxDoctorXMLChange(int index) {
    const int position = cbxDoctorXML->itemData(index).toInt();
    const auto xml = std::find_if(XML_UINS.begin(), XML_UINS.end(),
                                  [&](const auto& entry) { return entry.position == position; });
    if (xml == XML_UINS.end())
        return;
    const auto database = std::find_if(GDB_UINS.begin(), GDB_UINS.end(),
                                       [&](const auto& entry) { return entry.uin == xml->UIN; });
    if (database == GDB_UINS.end())
        return;
    const int item = cbxDoctorGDB->findData(database->id);
    if (item >= 0)
        cbxDoctorGDB->setCurrentIndex(item);
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
    endProgram();
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
    if (const auto folder =
            dialogs_.chooseFolder(this, "Изберете папка...", exists(current, true) ? current : ""))
        edtXMLDir->setText(q(*folder));
}

void TfrmMain::btnSelectDirUNCClick() {
    if (const auto file =
            dialogs_.openFile(this, "Отвори XML файл...", programFolder(), "XML Files (*.xml)"))
        edtXMLfile->setText(q(*file));
}

void TfrmMain::Button1Click() {
    if (const auto file =
            dialogs_.openFile(this, "Отвори GDB файл...", programFolder(), "GDB Files (*.gdb)"))
        edtGDBfile->setText(q(*file));
}

void TfrmMain::cbNRDChange() {
    dm_.database.clearNamedStatements();
    btnNext->setEnabled(cbNRD->currentIndex() >= 0);
}

void TfrmMain::ckbVerboseClick(bool checked) {
    dm_.logger().SetVerbose(checked);
}

void TfrmMain::tshProgressShow() {
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kStartMessage)));
}

void TfrmMain::tshFinishUpdateShow() {
    btnPrev->setEnabled(false);
    btnCancel->setEnabled(false);
    btnNext->setText("Край");
}

void TfrmMain::btnImportAgainClick() {
    btnNext->setText("Напред >");
    btnPrev->setEnabled(true);
    btnCancel->setEnabled(true);
    db::GDBCloseDatabase(dm_.database);
    pages->setCurrentWidget(tshChooseXMLandDB);  // the status text stays as it is
}

void TfrmMain::customEvent(QEvent* event) {
    if (event->type() == static_cast<QEvent::Type>(kStartMessage))
        guarded([this] { Start(); });
    else if (event->type() == static_cast<QEvent::Type>(kFinishMessage))
        Finish();
}

void TfrmMain::Start() {
    btnPrev->setEnabled(false);
    btnNext->setEnabled(false);
    aniProgress->start();
    QCoreApplication::processEvents();
    if (rbFile->isChecked()) {
        lblFileNo->clear();
        runImport();
    } else if (rbFolder->isChecked()) {
        const std::string folder = s(edtXMLDir->text());
        const std::vector<std::string> names = GetFileNames(folder);
        const size_t n = names.size();
        for (size_t i = 0; i < n; ++i) {
            const std::string fileText = "Файл: " + names[i] +
                                         "\r\nСтъпка: " + std::to_string(i + 1) + " от " +
                                         std::to_string(n) + "...";
            lblFileNo->setText(q(fileText));
            if (onFileStep)
                onFileStep(fileText);
            loadXml(joinPath(folder, names[i]));
            runImport();
        }
    }
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kFinishMessage)));
}

void TfrmMain::runImport() {
    engine::ImportSettings settings;
    settings.nrdIndex = cbNRD->currentIndex();
    settings.edition = cbSalvixType->currentIndex();
    settings.xmlDoctorIndex = XMLGetDoctorID();
    settings.databaseDoctorId = GDBGetDoctorID();
    settings.createDoctorIfMissing = cbImportDoctorIfNotExists->isChecked();
    engine::DoImport(settings, *this);
}

int TfrmMain::XMLGetDoctorID() const {
    return ereport::XMLGetDoctorID(XML_UINS, cbxDoctorXML->currentIndex());
}

int TfrmMain::GDBGetDoctorID() const {
    return db::GDBGetDoctorID(GDB_UINS, cbxDoctorGDB->currentIndex());
}

void TfrmMain::Finish() {
    aniProgress->stop();
    btnNext->setEnabled(true);
    btnNext->click();
}

void TfrmMain::LogToMemo(const std::string& message) {
    mmoLog->appendPlainText(q(message));
    QCoreApplication::processEvents();
}

void TfrmMain::setActionText(const std::string& text) {
    lblCurrentAction->setText(q(text));
}
void TfrmMain::setCountText(const std::string& text) {
    lblProgress->setText(q(text));
}
void TfrmMain::setProgress(int position, int maximum) {
    ProgressBar->setMaximum(maximum);
    ProgressBar->setValue(position);
}
bool TfrmMain::askYesNo(const std::string& caption, const std::string& question) {
    return dialogs_.question(this, caption, question);
}
std::optional<std::string> TfrmMain::inputText(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial) {
    return dialogs_.input(this, caption, prompt, initial);
}
void TfrmMain::showMessage(const std::string& text) {
    dialogs_.information(this, text);
}

}  // namespace kalvex::app
