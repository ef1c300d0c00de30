// The last page: what the run did, and what can follow it — the end, another import,
// taking the run back, or after a dry run the same import for real.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "app/data_module.h"
#include "app/file_page_messages.h"
#include "app/kind_log_dialog.h"
#include "app/kind_log_lines.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/undo_flow.h"
#include "app/wait_cursor.h"
#include "engine/run/import_summary.h"

namespace kalvex::app {

void TfrmMain::tshFinishUpdateShow() {
    btnPrev->setEnabled(false);
    btnCancel->setEnabled(false);
    btnNext->setText("Край");
    imgPicture->setVisible(false);
    lblDryRun->setVisible(lastRunWasDry_);
    btnImportForReal->setVisible(lastRunWasDry_);
    // Only a run that the journal holds can be taken back; a dry run left nothing.
    btnUndoRun->setVisible(!lastRunWasDry_ && runLedger_.journalRun != 0);
    btnUndoRun->setEnabled(true);
}

void TfrmMain::btnImportAgainClick() {
    btnNext->setText("Напред >");
    btnPrev->setEnabled(true);
    btnCancel->setEnabled(true);
    imgPicture->setVisible(true);
    closeDatabase();
    pages->setCurrentWidget(tshChooseXMLandDB);  // the status text stays as it is
    focusPage(tshChooseXMLandDB);
}

void TfrmMain::btnUndoRunClick() {
    if (!askAndUndoRun(this, dialogs_, dm_.logger(), dm_.database, runLedger_.journalRun))
        return;
    btnUndoRun->setEnabled(false);
    // The focus would move on to "Импортирай отново"; Enter is to end the program here.
    btnNext->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::btnImportForRealClick() {
    // The dry run closed the connection as it rolled back; it opens as on leaving the
    // file page, with the run's transaction.
    {
        const WaitCursor busy;
        openPracticeDatabase(dm_.database, s(edtGDBfile->text()));
    }
    // Reading the e-report fills in what it lacks, in memory: the run reads the file as
    // the dry run did, fresh, with the same doctor. A folder's files are read as they come.
    if (rbFile->isChecked()) {
        const int doctor = cbxDoctorXML->currentIndex();
        loadXml(s(edtXMLfile->text()));
        cbxDoctorXML->setCurrentIndex(doctor);
    }
    ckbDryRun->setChecked(false);
    btnNext->setText("Напред >");
    btnCancel->setEnabled(true);
    imgPicture->setVisible(true);
    showPage(tshProgress);  // which starts the import
}

void TfrmMain::showKindLog(engine::RowKind kind) {
    QStringList lines;
    const QTextDocument* log = mmoLog->document();
    for (int i = runLogBegin_; i < std::min(runLogEnd_, log->blockCount()); ++i)
        lines.push_back(log->findBlockByNumber(i).text());
    const auto kinds = engine::summaryKinds();
    const auto named = std::find_if(kinds.begin(), kinds.end(),
                                    [kind](const engine::SummaryKind& k) { return k.kind == kind; });
    KindLogDialog dialog(q(named->caption) + " — пропуснати и неуспешни", kindLogLines(lines, kind),
                         this);
    dialog.exec();
}

}  // namespace kalvex::app
