// The wizard's window keeps answering while it loads an e-report and imports it, and
// cannot be closed in the middle of an import.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>
#include <memory>
#include <optional>

#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/practice_database.h"
#include "support/report_builder.h"
#include "support/temp_dir.h"

using namespace kalvex;

namespace {

// Agrees to the disclaimer and keeps what the wizard said; the import asks nothing.
class QuietDialogs final : public app::Dialogs {
  public:
    QStringList said;
    bool confirm(QWidget*, const std::string&) override { return true; }
    void information(QWidget*, const std::string& text) override {
        said.push_back(QString::fromStdString("info: " + text));
    }
    void error(QWidget*, const std::string& text) override {
        said.push_back(QString::fromStdString("error: " + text));
    }
    bool question(QWidget*, const std::string&, const std::string&) override { return false; }
    std::optional<std::string> input(QWidget*, const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> openFile(QWidget*, const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseFolder(QWidget*, const std::string&,
                                            const std::string&) override {
        return std::nullopt;
    }
};

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
    QuietDialogs dialogs_;
    std::optional<app::Session> session_;

    app::TfrmMain& w() { return *session_->window; }

    // An e-report of the database's doctor with `sheets` sheets, and the wizard on its
    // file page with that file and the database chosen.
    void toFilePage(int sheets) {
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
            input.doctors[0].sheets.push_back(sheet);
        }
        const std::string file = dir_->file("r.xml");
        kalvex::testing::writeBytes(file, kalvex::testing::reportXml(input));

        session_ = app::startUp(dir_->file("kalvex"), dialogs_);
        QVERIFY(session_.has_value());
        w().endProgram = [] {};
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
        dialogs_ = QuietDialogs{};
    }

    void cleanup() {
        session_.reset();
        database_.reset();
        dir_.reset();
    }

    void theWindowTurnsWhileTheFileLoads() {
        toFilePage(1500);
        int turns = 0;
        QTimer ticks;
        connect(&ticks, &QTimer::timeout, this, [&] { ++turns; });
        ticks.start(1);
        w().btnNext->click();  // loads the file and opens the database
        ticks.stop();
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        QVERIFY(dialogs_.said.isEmpty());
        QVERIFY(turns > 0);
        QVERIFY(w().btnNext->isEnabled());
        QVERIFY(w().btnPrev->isEnabled());
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

    void closingTheWindowDuringTheImportIsRefused() {
        toFilePage(30);
        std::optional<bool> closed;
        bool cancelEnabled = true;
        importWith([&] {
            cancelEnabled = w().btnCancel->isEnabled();
            closed = w().close();
        });
        QTRY_VERIFY_WITH_TIMEOUT(closed.has_value(), 20000);
        QVERIFY(!*closed);
        QVERIFY(w().isVisible());
        QVERIFY(!cancelEnabled);
        QCOMPARE(dialogs_.said,
                 QStringList{"info: Импортирането още не е приключило. Изчакайте края му."});
        QTRY_VERIFY_WITH_TIMEOUT(w().pages->currentWidget() == w().tshFinishUpdate, 60000);
        w().btnNext->click();  // "Край" commits every sheet
        QCOMPARE(committedExaminations(), 30);
    }
};

QTEST_MAIN(WizardResponsiveTest)
#include "wizard_responsive_test.moc"
