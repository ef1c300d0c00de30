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
#include <QTextDocument>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "app/artwork.h"
#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/summary_table.h"
#include "common/folder_files.h"
#include "db/database_error.h"
#include "db/dry_run.h"
#include "db/gdb_mediator.h"
#include "engine/run/do_import.h"
#include "engine/run/import_summary.h"
#include "engine/run/run_end.h"
#include "engine/journal/run_journal.h"
#include "ereport/doctor_list.h"
#include "ereport/version_fit_text.h"

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
    runLedger_ = {};
    runFiles_.clear();
    lastRunWasDry_ = dm_.dryRun.has_value();
    tblSummary->setRowCount(0);
    runLogBegin_ = mmoLog->document()->isEmpty() ? 0 : mmoLog->document()->blockCount();
    std::optional<engine::StopInfo> stop;
    try {
        if (!dm_.dryRun)
            engine::beginJournal(dm_.database, runLedger_, journalRun());
        importFiles();
    } catch (const std::exception& e) {
        stop = engine::StopInfo{runFile_, runLedger_.counts().stoppedSheet, db::failureText(e),
                                false, {}};
    }
    endTransaction(stop);
    runLogEnd_ = mmoLog->document()->blockCount();
    const std::vector<engine::DoctorShare> doctors = runLedger_.doctorShares();
    engine::logSummary(runLedger_.counts(), stop, runFiles_, doctors);
    // Told in the error box; the wizard stays on its progress page.
    if (stop)
        throw Error(stop->reason);
    tblSummary->showRun(runLedger_.counts(), doctors, runFiles_);
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kFinishMessage)));
}

void TfrmMain::endTransaction(std::optional<engine::StopInfo>& stop) {
    // The last page says the import is done, and the program may be ended at any moment
    // after it: the run is committed (a dry run rolled back) before anything is shown.
    try {
        const std::optional<db::GeneratorValues> dryRun = std::exchange(dm_.dryRun, std::nullopt);
        engine::endRun(dm_.database, runLedger_, dryRun ? &*dryRun : nullptr, stop.has_value());
    } catch (const std::exception& e) {
        const std::string failure = db::failureText(e);
        if (!stop)
            stop = engine::StopInfo{runFile_, "", failure, false, {}};
        else
            stop->reason += "\n" + failure;
        stop->lost = runLedger_.lost();
    }
}

engine::JournalRun TfrmMain::journalRun() const {
    engine::JournalRun journal;
    journal.nrd = s(cbNRD->currentText());
    journal.edition = cbSalvixType->currentIndex();
    if (rbFile->isChecked()) {
        journal.files = {s(edtXMLfile->text())};
    } else {
        const std::string folder = s(edtXMLDir->text());
        for (const std::string& name : common::GetFileNames(folder))
            journal.files.push_back(common::joinPath(folder, name));
    }
    // Until the run ends and names the doctors its sheets went to.
    journal.doctors = allDoctors() ? engine::kDoctorsByUin : std::to_string(GDBGetDoctorID());
    return journal;
}

void TfrmMain::importFiles() {
    if (rbFile->isChecked()) {
        lblFileNo->clear();
        runFile_ = s(edtXMLfile->text());
        runImport(cbNRD->currentIndex());
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
            int version = cbNRD->currentIndex();
            loadXml(runFile_, version);
            const ereport::VersionFit fit = ereport::checkVersion(dm_.xml.loadedRoot(), version);
            if (!fit.fits() && runFile_ != acceptedFile_) {
                const std::optional<int> answer = askVersion(fit, names[i]);
                // No: the run stops before the file, with what the files before it wrote.
                if (!answer)
                    throw Error(ereport::misfitText(fit));
                if (*answer != version)
                    loadXml(runFile_, version = *answer);
            }
            runImport(version);
        }
    }
}

void TfrmMain::runImport(int nrdIndex) {
    runFiles_.push_back({runFile_, ereport::XmlReport::versionName(nrdIndex)});
    engine::ImportSettings settings;
    settings.nrdIndex = nrdIndex;
    settings.edition = cbSalvixType->currentIndex();
    settings.xmlDoctorIndex = XMLGetDoctorID();
    settings.databaseDoctorId = GDBGetDoctorID();
    settings.createDoctorIfMissing = cbImportDoctorIfNotExists->isChecked();
    settings.allDoctors = allDoctors();
    settings.tellPassedOverDoctors = rbFolder->isChecked() && !settings.allDoctors;
    settings.reportFile = runFile_;
    settings.dryRun = dm_.dryRun.has_value();
    engine::DoImport(dm_.database, dm_.xml, settings, *this, runLedger_);
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
