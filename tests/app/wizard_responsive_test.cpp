// The wizard's window keeps answering while it loads an e-report and imports it, and an
// end asked for in the middle of an import waits for the import.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>
#include <csignal>
#include <memory>
#include <optional>

#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app/stop_signals.h"
#include "app/summary_table.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/practice_database.h"
#include "support/recording_dialogs.h"
#include "support/report_builder.h"
#include "support/temp_dir.h"

using namespace kalvex;

namespace {

// Counts the paint events of a widget.
class PaintCounter final : public QObject {
  public:
    std::function<void()> onPaint;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && onPaint)
            onPaint();
        return false;
    }
};

constexpr int kNrd2022 = 8;

}  // namespace

class WizardResponsiveTest : public QObject {
    Q_OBJECT

    std::unique_ptr<kalvex::testing::TempDir> dir_;
    std::unique_ptr<kalvex::testing::PracticeDatabase> database_;
    testing::RecordingDialogs dialogs_;
    std::optional<app::Session> session_;
    int endRequests_ = 0;

    app::TfrmMain& w() { return *session_->window; }

    // An e-report of the database's doctor with `sheets` sheets, and the wizard on its
    // file page with that file and the database chosen.
    void toFilePage(int sheets, const std::string& sheetExtra = "") {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database_->path());
        dm.SqlToValue(
            "INSERT INTO DOCTOR (FNAME, SNAME, LNAME, UIN) VALUES ('Мария', 'Иванова', "
            "'Петрова', '0400000001')");
        db::GDBCloseDatabase(dm);
        kalvex::testing::ReportInput input;
        const char* const patients[] = {"7501020018", "8001010005", "6101010013"};
        for (int i = 0; i < sheets; ++i) {
            kalvex::testing::SheetInput sheet;
            sheet.noAl = std::to_string(i + 1);
            sheet.egn = patients[i % 3];
            sheet.extra = sheetExtra;
            input.doctors[0].sheets.push_back(sheet);
        }
        const std::string file = dir_->file("r.xml");
        kalvex::testing::writeBytes(file, kalvex::testing::reportXml(input));

        session_ = app::startUp(dir_->file("kalvex"), dialogs_);
        QVERIFY(session_.has_value());
        w().endProgram = [this] { ++endRequests_; };
        w().show();
        w().btnNext->click();
        w().cbNRD->setCurrentIndex(kNrd2022);
        w().rbFile->click();
        w().edtXMLfile->setText(QString::fromStdString(file));
        w().edtGDBfile->setText(QString::fromStdString(database_->path()));
    }

    std::int64_t committedExaminations() {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database_->path());
        const auto count = std::get<std::int64_t>(dm.SqlToValue("SELECT COUNT(*) FROM PREGLED"));
        db::GDBCloseDatabase(dm);
        return count;
    }

    // Runs `during` once, on the window's thread, soon after the import's first sheet.
    void importWith(const std::function<void()>& during) {
        connect(w().ProgressBar, &QProgressBar::valueChanged, this, [during](int value) {
            if (value == 1)
                QTimer::singleShot(0, during);
        });
        w().btnNext->click();  // the doctor page
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        w().btnNext->click();  // the summary page
        w().btnNext->click();  // the progress page: the import starts
    }

    bool importRunning() {
        return w().pages->currentWidget() == w().tshProgress &&
               w().ProgressBar->value() < w().ProgressBar->maximum();
    }

  private slots:
    void init() {
        dir_ = std::make_unique<kalvex::testing::TempDir>();
        database_ = std::make_unique<kalvex::testing::PracticeDatabase>();
        dialogs_ = testing::RecordingDialogs{};
        endRequests_ = 0;
    }

    void cleanup() {
        session_.reset();
        database_.reset();
        dir_.reset();
    }

    void theWindowTurnsWhileTheFileLoads() {
        toFilePage(3000);
        // Turns taken before the doctor list fills: the load writes no log line, so only
        // its own pauses let the loop turn there.
        int turnsInLoad = 0;
        QTimer ticks;
        connect(&ticks, &QTimer::timeout, this, [&] {
            if (w().cbxDoctorXML->count() == 0)
                ++turnsInLoad;
        });
        ticks.start(1);
        w().btnNext->click();  // loads the file and opens the database
        ticks.stop();
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        QVERIFY(dialogs_.said.isEmpty());
        QVERIFY(turnsInLoad > 0);
    }

    void theDetailsTabOpensAndPaintsDuringTheImport() {
        toFilePage(60);
        bool shownDuringImport = false, paintedDuringImport = false;
        PaintCounter paints;
        paints.onPaint = [&] { paintedDuringImport = paintedDuringImport || importRunning(); };
        w().mmoLog->viewport()->installEventFilter(&paints);
        importWith([&] {
            w().tabs->setCurrentWidget(w().tshDetails);
            shownDuringImport = w().tabs->currentWidget() == w().tshDetails && importRunning();
        });
        QTRY_VERIFY_WITH_TIMEOUT(shownDuringImport, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(paintedDuringImport, 20000);
        w().tabs->setCurrentIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(w().pages->currentWidget() == w().tshFinishUpdate, 60000);
        QVERIFY(w().mmoLog->toPlainText().contains("Импортиране на първичен АЛ № 60 на "));
    }

    void anEndAskedForDuringTheImportWaitsForIt_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Отказ") << "cancel";
        QTest::newRow("closing the window") << "close";
        QTest::newRow("SIGTERM") << "SIGTERM";
        QTest::newRow("SIGHUP") << "SIGHUP";
    }

    void anEndAskedForDuringTheImportWaitsForIt() {
        QFETCH(QString, how);
        const app::StopSignals stopSignals;
        toFilePage(30);
        bool lastPageShown = false;
        connect(w().pages, &QStackedWidget::currentChanged, this, [&] {
            lastPageShown = lastPageShown || w().pages->currentWidget() == w().tshFinishUpdate;
        });
        importWith([&] {
            if (how == "cancel")
                w().btnCancel->click();
            else if (how == "close")
                w().close();
            else
                raise(how == "SIGTERM" ? SIGTERM : SIGHUP);
        });
        QTRY_VERIFY_WITH_TIMEOUT(w().tblSummary->rowCount() > 0, 60000);
        QTest::qWait(100);  // the finish message, had the import posted one that acts
        QVERIFY(!lastPageShown);
        QCOMPARE(endRequests_, how == "cancel" ? 1 : 0);  // closing ends it by itself
        QCOMPARE(w().ProgressBar->value(), 30);
        QVERIFY(dialogs_.said.isEmpty());
        QCOMPARE(w().isVisible(), how == "cancel");  // "Отказ" asks endProgram instead
        // Committed as the import ended, before anything else could end the program.
        QCOMPARE(committedExaminations(), 30);
        app::shutDown(*session_, dialogs_);
        QCOMPARE(committedExaminations(), 30);
    }

    // The last page's words are true when it shows: another program sees the whole run
    // then; a logout on that page ends the wizard.
    void theLastPageShowsACommittedRunAndASignalEndsIt() {
        const app::StopSignals stopSignals;
        toFilePage(5);
        importWith([] {});
        QTRY_VERIFY_WITH_TIMEOUT(w().pages->currentWidget() == w().tshFinishUpdate, 60000);
        QCOMPARE(committedExaminations(), 5);
        raise(SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(!w().isVisible(), 5000);
        QVERIFY(dialogs_.said.isEmpty());
    }

    void anEndAskedForDuringAHiredDoctorQuestionSkipsThatDoctor() {
        toFilePage(3,
                   "<Hired_Subst><H_S>0</H_S><UINH_S>0400000077</UINH_S><FullNameH_S>Петър "
                   "Иванов Колев</FullNameH_S></Hired_Subst>");
        int questions = 0;
        dialogs_.onQuestion = [&] {
            ++questions;
            w().btnCancel->click();
            return true;  // Yes: the EGN prompt would follow
        };
        importWith([] {});
        QTRY_VERIFY_WITH_TIMEOUT(w().tblSummary->rowCount() > 0, 60000);
        QCOMPARE(questions, 1);  // asked once; the later sheets' questions get No unasked
        QCOMPARE(dialogs_.prompts, 0);
        QCOMPARE(endRequests_, 1);
        app::shutDown(*session_, dialogs_);
        QCOMPARE(committedExaminations(), 3);
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database_->path());
        QCOMPARE(std::get<std::int64_t>(
                     dm.SqlToValue("SELECT COUNT(*) FROM DOCTOR WHERE UIN = '0400000077'")),
                 std::int64_t{0});
        db::GDBCloseDatabase(dm);
    }
};

QTEST_MAIN(WizardResponsiveTest)
#include "wizard_responsive_test.moc"
