// The progress page: the posted start message runs the import, the finish message
// moves on to the last page; the page's texts are the import's progress display.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <exception>
#include <optional>
#include <string>

#include "app/artwork.h"
#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "common/folder_files.h"
#include "db/dry_run.h"
#include "db/gdb_mediator.h"
#include "engine/do_import.h"
#include "engine/import_summary.h"
#include "ereport/doctor_list.h"

namespace kalvex::app {

void TfrmMain::tshProgressShow() {
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kStartMessage)));
}

void TfrmMain::customEvent(QEvent* event) {
    if (event->type() == static_cast<QEvent::Type>(kStartMessage)) {
        importing_ = true;
        guarded([this] { Start(); });
        importing_ = false;
    } else if (event->type() == static_cast<QEvent::Type>(kFinishMessage))
        Finish();
}

void TfrmMain::Start() {
    btnPrev->setEnabled(false);
    btnNext->setEnabled(false);
    aniProgress->start();
    QCoreApplication::processEvents();
    // Taken once per run: a second file of a folder starts from what the first drew.
    if (ckbDryRun->isChecked() && !dm_.dryRun)
        dm_.dryRun = db::takeGenerators(dm_.database);
    runCounts_ = {};
    mmoSummary->clear();
    try {
        importFiles();
    } catch (const std::exception& e) {
        // Told here only for the log's summary; the error goes on to the error box.
        engine::logSummary(runCounts_,
                           engine::StopInfo{runFile_, runCounts_.stoppedSheet, e.what()});
        throw;
    }
    engine::logSummary(runCounts_, std::nullopt);
    // Set as a whole, the table opens at its top with the column heads in view.
    QStringList summary;
    for (const std::string& line : engine::summaryLines(runCounts_))
        summary.push_back(q(line));
    mmoSummary->setPlainText(summary.join('\n'));
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kFinishMessage)));
}

void TfrmMain::importFiles() {
    if (rbFile->isChecked()) {
        lblFileNo->clear();
        runFile_ = s(edtXMLfile->text());
        runImport();
    } else if (rbFolder->isChecked()) {
        const std::string folder = s(edtXMLDir->text());
        const std::vector<std::string> names = common::GetFileNames(folder);
        const size_t n = names.size();
        for (size_t i = 0; i < n; ++i) {
            const std::string fileText = "Файл: " + names[i] +
                                         "\r\nСтъпка: " + std::to_string(i + 1) + " от " +
                                         std::to_string(n) + "...";
            lblFileNo->setText(q(fileText));
            if (onFileStep)
                onFileStep(fileText);
            runFile_ = common::joinPath(folder, names[i]);
            loadXml(runFile_);
            runImport();
        }
    }
}

void TfrmMain::runImport() {
    engine::ImportSettings settings;
    settings.nrdIndex = cbNRD->currentIndex();
    settings.edition = cbSalvixType->currentIndex();
    settings.xmlDoctorIndex = XMLGetDoctorID();
    settings.databaseDoctorId = GDBGetDoctorID();
    settings.createDoctorIfMissing = cbImportDoctorIfNotExists->isChecked();
    settings.dryRun = dm_.dryRun.has_value();
    engine::DoImport(dm_.database, dm_.xml, settings, *this, runCounts_);
}

int TfrmMain::XMLGetDoctorID() const {
    return ereport::XMLGetDoctorID(XML_UINS, cbxDoctorXML->currentIndex());
}

int TfrmMain::GDBGetDoctorID() const {
    return db::GDBGetDoctorID(GDB_UINS, cbxDoctorGDB->currentIndex());
}

void TfrmMain::Finish() {
    // The program ends without the last page once its end was asked for in the import;
    // the run is committed as the program ends.
    if (endRequested_)
        return;
    aniProgress->stop();
    btnNext->setEnabled(true);
    btnNext->click();
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
// Once the program is to end the import's boxes are no longer shown: the window may be
// gone, and nobody is waiting to answer them.
bool TfrmMain::askYesNo(const std::string& caption, const std::string& question) {
    return !endRequested_ && dialogs_.question(this, caption, question);
}
std::optional<std::string> TfrmMain::inputText(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial) {
    if (endRequested_)
        return std::nullopt;
    return dialogs_.input(this, caption, prompt, initial);
}
void TfrmMain::showMessage(const std::string& text) {
    if (!endRequested_)
        dialogs_.information(this, text);
}

}  // namespace kalvex::app
