#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/options.h"
#include "db/gdb_mediator.h"
#include "engine/run/import_counts.h"
#include "engine/run/import_summary.h"
#include "engine/journal/run_journal.h"
#include "engine/run/run_ledger.h"
#include "engine/run/import_user.h"
#include "ereport/doctor_list.h"
#include "ereport/version_check.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;

namespace kalvex::app {

class CopyAnimation;
class DataModule;
class Dialogs;
class SummaryTable;

// The wizard: six pages on the "Импортиране" tab, the log on "Детайли".
class TfrmMain final : public QWidget, private engine::ImportUser {
  public:
    // Window messages the wizard posts to itself: the start and the end of the import.
    static constexpr int kStartMessage = 1124;
    static constexpr int kFinishMessage = 1125;

    TfrmMain(DataModule& dm, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The inputs kept in the options file.
    void applyOptions(const Options& options);
    Options currentOptions() const;

    // How the wizard ends the program; QCoreApplication::quit unless a test replaces it.
    std::function<void()> endProgram;
    // Told each file text of the folder loop as it is shown (for observers such as tests).
    std::function<void(const std::string& fileText)> onFileStep;

    // The controls, named as the rest of the program knows them.
    QLabel* lblStatus = nullptr;
    // The picture at the left; the last page gives its width to the run's table.
    QLabel* imgPicture = nullptr;
    QTabWidget* tabs = nullptr;
    QStackedWidget* pages = nullptr;
    QWidget *tshWelcome = nullptr, *tshChooseXMLandDB = nullptr, *tshDoctor = nullptr,
            *tshInformationGathered = nullptr, *tshProgress = nullptr, *tshFinishUpdate = nullptr;
    QWidget* tshDetails = nullptr;
    QCheckBox* ckbVerbose = nullptr;
    QPlainTextEdit* mmoLog = nullptr;
    QRadioButton *rbFolder = nullptr, *rbFile = nullptr;
    QLineEdit *edtXMLDir = nullptr, *edtXMLfile = nullptr, *edtGDBfile = nullptr;
    QPushButton *btnSelectDir = nullptr, *btnSelectDirUNC = nullptr, *Button1 = nullptr;
    QComboBox *cbSalvixType = nullptr, *cbNRD = nullptr;
    QComboBox *cbxDoctorXML = nullptr, *cbxDoctorGDB = nullptr;
    QCheckBox* cbImportDoctorIfNotExists = nullptr;
    // Every XML doctor under the database doctor of his UIN, each shown beside his.
    QCheckBox* ckbAllDoctors = nullptr;
    QListWidget* lstDoctorMapping = nullptr;
    CopyAnimation* aniProgress = nullptr;
    QLabel *lblCurrentAction = nullptr, *lblProgress = nullptr, *lblFileNo = nullptr;
    QProgressBar* ProgressBar = nullptr;
    // What the import is about to do, on the summary page.
    QTableWidget* tblRunOverview = nullptr;
    QCheckBox* ckbDryRun = nullptr;
    QLabel* lblDryRun = nullptr;
    QPushButton* btnImportAgain = nullptr;
    // After a dry run: the same import again, written this time.
    QPushButton* btnImportForReal = nullptr;
    // Taking a run back: any journaled run of a database (welcome page), the run just
    // imported (last page).
    QPushButton *btnUndoImport = nullptr, *btnUndoRun = nullptr;
    SummaryTable* tblSummary = nullptr;  // what the run did, on the last page
    QPushButton *btnAbout = nullptr, *btnPrev = nullptr, *btnNext = nullptr, *btnCancel = nullptr;

    // The entries behind the two doctor lists, item for item: UIN with the XML
    // doctor's position, UIN with DOCTOR.ID.
    std::vector<ereport::XmlDoctorItem> XML_UINS;
    std::vector<db::GdbDoctor> GDB_UINS;

  protected:
    void customEvent(QEvent* event) override;
    // Closing the window during an import asks for the program's end as "Отказ" does.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildLayout();
    static QTableWidget* makeRunOverview(QWidget* parent);
    void fillRunOverview();
    void connectHandlers();
    void setUpKeyboard();
    void showPage(QWidget* page);
    void focusPage(QWidget* page);

    void btnNextClick();
    void btnPrevClick();
    void btnCancelClick();
    void btnAboutClick();
    void selectTypeOfImport();
    void btnSelectDirClick();
    void btnSelectDirUNCClick();
    void Button1Click();
    void cbNRDChange();
    void cbxDoctorXMLChange(int index);
    void ckbVerboseClick(bool checked);
    void tshProgressShow();
    void tshFinishUpdateShow();
    void btnImportAgainClick();
    void btnUndoImportClick();
    void btnUndoRunClick();
    void btnImportForRealClick();
    // The run's log lines of the skipped and failed rows of `kind`, in a dialog.
    void showKindLog(engine::RowKind kind);
    void Start();
    // The chosen file, or each XML file of the chosen folder.
    void importFiles();
    // What the journal keeps of the run's settings.
    engine::JournalRun journalRun() const;
    // Commits the run, or rolls a dry run back; a failure joins `stop`.
    void endTransaction(std::optional<engine::StopInfo>& stop);
    void Finish();
    void LogToMemo(const std::string& message) override;
    // Lets the window's queued messages run while a large e-report loads.
    static void letWindowAnswer();

    // Steps of "Напред >" on the file page.
    void leaveFilePage();
    // Loads `fileName` for the chosen NRD version, or for `nrdIndex`.
    void loadXml(const std::string& fileName);
    void loadXml(const std::string& fileName, int nrdIndex);
    // The file page's check of the e-report loaded last against the chosen version: true
    // to go on, with the version the user may have switched to; false to stay.
    bool settleFileVersion(const std::string& fileName, const std::string& shownName);
    // Asks what to do with an e-report that does not fit its version (`fit`): the version
    // to import it under, the chosen one or the one it clearly belongs to; nothing for No.
    // `shownName` names the file in the question, where the user did not just pick it.
    std::optional<int> askVersion(const ereport::VersionFit& fit, const std::string& shownName);
    void preselectDatabaseDoctorByName();
    // The doctor page's choice of every XML doctor: offered for a file of several
    // doctors and for a folder, off each time the page is reached from the file page.
    void offerAllDoctors();
    void ckbAllDoctorsClick(bool checked);
    // Whether the run imports every XML doctor of its files.
    bool allDoctors() const;
    // The first XML file of the chosen folder, or an error the user can act on.
    std::string firstFolderFile() const;
    int XMLGetDoctorID() const;
    int GDBGetDoctorID() const;
    void runImport(int nrdIndex);
    // Commits the run (rolls back a dry run) and closes the connection, under the
    // hourglass.
    void closeDatabase();

    // Runs a handler as the framework would: an error ends it with an error box.
    void guarded(const std::function<void()>& handler);

    // engine::ImportUser
    void setActionText(const std::string& text) override;
    void setCountText(const std::string& text) override;
    void setProgress(int position, int maximum) override;
    bool askYesNo(const std::string& caption, const std::string& question) override;
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;
    void showMessage(const std::string& text) override;
    bool endRequested() const override { return endRequested_; }

    DataModule& dm_;
    Dialogs& dialogs_;
    // The run's counts over all its files, and the file being imported.
    engine::RunLedger runLedger_;
    std::string runFile_;
    // The run's files so far and the NRD version each was imported under.
    std::vector<engine::ImportedFile> runFiles_;
    // The file that the user, on leaving the file page, chose to import under a version
    // it does not fit: not asked about again when the folder's import reaches it.
    std::string acceptedFile_;
    // While the start message's handler runs, and whether the user asked in it for the
    // program to end: the import then runs to its end and the program ends after it.
    bool importing_ = false;
    // The run the last page tells of was a dry run (rolled back as it ended).
    bool lastRunWasDry_ = false;
    // The details log's lines of the last run's import, up to its summary: [begin, end).
    int runLogBegin_ = 0, runLogEnd_ = 0;
    bool endRequested_ = false;
};

}  // namespace kalvex::app
