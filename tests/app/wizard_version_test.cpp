// The wizard's question about an e-report that does not fit the chosen NRD version:
// leaving the file page, and for each file of a folder as its import comes.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/main_window.h"
#include "app/startup.h"
#include "app/summary_table.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/practice_database.h"
#include "support/report_builder.h"
#include "support/scripted_dialogs.h"
#include "support/table_rows.h"
#include "support/temp_dir.h"

using namespace kalvex;

namespace {

constexpr int kNrd2015 = 5;
constexpr int kNrd2022 = 8;

// An e-report of the database's doctor, its one sheet dated `date`.
std::string reportOn(const std::string& date, const std::string& noAl = "000412") {
    kalvex::testing::SheetInput sheet;
    sheet.noAl = noAl;
    sheet.dataAl = date;
    kalvex::testing::ReportInput report;
    report.dateFrom = date.substr(0, 8) + "01";
    report.dateTo = date.substr(0, 8) + "28";
    report.doctors[0].sheets = {sheet};
    return kalvex::testing::reportXml(report);
}

const QString k2015As2022 =
    "Избрано е НРД 2022, а прегледите във файла са от 04.2015 (НРД 2015).\n\n"
    "Да се импортира ли файлът все пак с НРД 2022?";
const QString kSwitchTo2015 = "Да се импортира ли файлът с НРД 2015?";

}  // namespace

class WizardVersionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<kalvex::testing::TempDir> dir_;
    std::unique_ptr<kalvex::testing::PracticeDatabase> database_;
    kalvex::testing::ScriptedDialogs dialogs_;
    std::optional<app::Session> session_;

    app::TfrmMain& w() { return *session_->window; }

    std::int64_t committed(const std::string& sql) {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database_->path());
        const auto value = std::get<std::int64_t>(dm.SqlToValue(sql));
        db::GDBCloseDatabase(dm);
        return value;
    }

    // The wizard leaves its file page with NRD index `nrd` and the file or folder.
    void leaveFilePage(int nrd, const std::string& file, bool folder = false) {
        session_ = app::startUp(dir_->file("kalvex"), dialogs_);
        QVERIFY(session_.has_value());
        w().endProgram = [] {};
        w().show();
        w().btnNext->click();
        w().cbNRD->setCurrentIndex(nrd);
        (folder ? w().rbFolder : w().rbFile)->click();
        (folder ? w().edtXMLDir : w().edtXMLfile)->setText(QString::fromStdString(file));
        w().edtGDBfile->setText(QString::fromStdString(database_->path()));
        w().btnNext->click();
    }

    // From the doctor page through the import to the last page, or to a stop.
    void runImport() {
        w().btnNext->click();
        w().btnNext->click();
        QTRY_VERIFY_WITH_TIMEOUT(
            w().pages->currentWidget() == w().tshFinishUpdate || !dialogs_.said.isEmpty(), 30000);
    }

    std::string folderOf(const std::vector<std::pair<const char*, std::string>>& files) {
        const std::string folder = dir_->file("reports");
        std::filesystem::create_directory(folder);
        for (const auto& [name, xml] : files)
            kalvex::testing::writeBytes(folder + "/" + name, xml);
        return folder;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<kalvex::testing::TempDir>();
        database_ = std::make_unique<kalvex::testing::PracticeDatabase>();
        dialogs_ = kalvex::testing::ScriptedDialogs{};
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database_->path());
        dm.SqlToValue(
            "INSERT INTO DOCTOR (FNAME, SNAME, LNAME, UIN) VALUES ('Мария', 'Иванова', "
            "'Петрова', '0400000001')");
        db::GDBCloseDatabase(dm);
    }

    void cleanup() {
        session_.reset();
        database_.reset();
        dir_.reset();
    }

    void leavingTheFilePageAsksAboutAnotherVersionsFile_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("nrd");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<int>("nrdAfter");
        QTest::newRow("a file of its version asks nothing")
            << "2015-04-07" << kNrd2015 << QList<bool>{} << QStringList{} << true << kNrd2015;
        QTest::newRow("No, and No to the switch, stays")
            << "2015-04-07" << kNrd2022 << QList<bool>{false, false}
            << QStringList{k2015As2022, kSwitchTo2015} << false << kNrd2022;
        QTest::newRow("Yes goes on with the chosen version")
            << "2015-04-07" << kNrd2022 << QList<bool>{true} << QStringList{k2015As2022} << true
            << kNrd2022;
        QTest::newRow("No, then Yes switches to the file's version")
            << "2015-04-07" << kNrd2022 << QList<bool>{false, true}
            << QStringList{k2015As2022, kSwitchTo2015} << true << kNrd2015;
        QTest::newRow("the first day of the next version")
            << "2018-01-01" << kNrd2015 << QList<bool>{false, false}
            << QStringList{"Избрано е НРД 2015, а прегледите във файла са от 01.2018 (НРД 2018)."
                           "\n\nДа се импортира ли файлът все пак с НРД 2015?",
                           "Да се импортира ли файлът с НРД 2018?"}
            << false << kNrd2015;
    }

    void leavingTheFilePageAsksAboutAnotherVersionsFile() {
        QFETCH(QString, date);
        QFETCH(int, nrd);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, questions);
        QFETCH(bool, goesOn);
        QFETCH(int, nrdAfter);
        const std::string file = dir_->file("r.xml");
        kalvex::testing::writeBytes(file, reportOn(date.toStdString()));
        dialogs_.answers.assign(answers.begin(), answers.end());
        leaveFilePage(nrd, file);
        QCOMPARE(dialogs_.questions, questions);
        // Going on anyway is never what Enter does.
        QCOMPARE(dialogs_.noByDefault, questions.mid(0, 1));
        QCOMPARE(w().pages->currentWidget(), goesOn ? w().tshDoctor : w().tshChooseXMLandDB);
        QCOMPARE(w().cbNRD->currentIndex(), nrdAfter);
        QVERIFY(dialogs_.said.isEmpty());
    }

    void aFileOfTwoPeriodsOffersNoSwitch() {
        kalvex::testing::ReportInput report;
        for (const char* date : {"2015-01-10", "2014-12-20"}) {
            kalvex::testing::SheetInput sheet;
            sheet.dataAl = date;
            sheet.noAl = date;
            report.doctors[0].sheets.push_back(sheet);
        }
        const std::string file = dir_->file("r.xml");
        kalvex::testing::writeBytes(file, kalvex::testing::reportXml(report));
        leaveFilePage(kNrd2015, file);
        QCOMPARE(dialogs_.questions,
                 QStringList{"Избрано е НРД 2015, а прегледите във файла са от 12.2014 до 01.2015 "
                             "(НРД 2009 и НРД 2015). Файлът съдържа прегледи от периодите на "
                             "различни НРД.\n\nДа се импортира ли файлът все пак с НРД 2015?"});
        QCOMPARE(w().pages->currentWidget(), w().tshChooseXMLandDB);
    }

    void theSwitchedVersionIsTheOneImportedAndTheSummaryNamesIt_data() {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("version");
        // NRD 2018 on writes the patient's kind; NRD 2015 leaves it empty.
        QTest::addColumn<std::int64_t>("withoutKind");
        QTest::newRow("anyway") << QList<bool>{true} << "НРД 2022" << std::int64_t{0};
        QTest::newRow("switched") << QList<bool>{false, true} << "НРД 2015" << std::int64_t{1};
    }

    void theSwitchedVersionIsTheOneImportedAndTheSummaryNamesIt() {
        QFETCH(QList<bool>, answers);
        QFETCH(QString, version);
        QFETCH(std::int64_t, withoutKind);
        const std::string file = dir_->file("r.xml");
        kalvex::testing::writeBytes(file, reportOn("2015-04-07"));
        dialogs_.answers.assign(answers.begin(), answers.end());
        leaveFilePage(kNrd2022, file);
        runImport();
        QCOMPARE(w().pages->currentWidget(), w().tshFinishUpdate);
        const QStringList rows = kalvex::testing::rowsOf(*w().tblSummary);
        QVERIFY2(rows.contains(QString::fromStdString("Файл " + file + ": ") + version),
                 qPrintable(rows.join('\n')));
        QCOMPARE(committed("SELECT COUNT(*) FROM PREGLED"), std::int64_t{1});
        QCOMPARE(committed("SELECT COUNT(*) FROM PACIENT WHERE PAT_KIND IS NULL"), withoutKind);
    }

    void aFolderAsksForEachFileAsItComes_data() {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("completes");
        QTest::addColumn<std::int64_t>("examinations");
        QTest::newRow("No, then the file's own version")
            << QList<bool>{false, true} << true << std::int64_t{3};
        QTest::newRow("Yes, the chosen version") << QList<bool>{true} << true << std::int64_t{3};
        QTest::newRow("No, and No: stops before the file")
            << QList<bool>{false, false} << false << std::int64_t{1};
    }

    void aFolderAsksForEachFileAsItComes() {
        QFETCH(QList<bool>, answers);
        QFETCH(bool, completes);
        QFETCH(std::int64_t, examinations);
        const std::string folder = folderOf({{"a.xml", reportOn("2023-04-07", "000001")},
                                             {"b.xml", reportOn("2015-04-07", "000002")},
                                             {"c.xml", reportOn("2023-04-08", "000003")}});
        leaveFilePage(kNrd2022, folder, true);
        QVERIFY(dialogs_.questions.isEmpty());  // the first file fits
        dialogs_.answers.assign(answers.begin(), answers.end());
        runImport();
        const QString named = "Файл „b.xml“: " + k2015As2022;
        QCOMPARE(dialogs_.questions.value(0), named);
        QCOMPARE(dialogs_.noByDefault, QStringList{named});
        QCOMPARE(committed("SELECT COUNT(*) FROM PREGLED"), examinations);
        if (completes) {
            QCOMPARE(w().pages->currentWidget(), w().tshFinishUpdate);
            const QStringList rows = kalvex::testing::rowsOf(*w().tblSummary);
            QVERIFY2(rows.contains(QString::fromStdString("Файл " + folder + "/b.xml: НРД " +
                                                          (answers.size() == 2 ? "2015" : "2022"))),
                     qPrintable(rows.join('\n')));
            QVERIFY(rows.contains(QString::fromStdString("Файл " + folder + "/c.xml: НРД 2022")));
        } else {
            QCOMPARE(dialogs_.said,
                     QStringList{"error: Избрано е НРД 2022, а прегледите във файла са от 04.2015 "
                                 "(НРД 2015)."});
            QCOMPARE(w().pages->currentWidget(), w().tshProgress);
        }
    }

    void aFolderDoesNotAskAgainAboutTheFileAcceptedOnTheFilePage() {
        const std::string folder = folderOf({{"a.xml", reportOn("2015-04-07", "000001")},
                                             {"b.xml", reportOn("2023-04-07", "000002")}});
        dialogs_.answers = {true};
        leaveFilePage(kNrd2022, folder, true);
        QCOMPARE(dialogs_.questions, QStringList{"Файл „a.xml“: " + k2015As2022});
        runImport();
        QCOMPARE(w().pages->currentWidget(), w().tshFinishUpdate);
        QCOMPARE(dialogs_.questions.size(), 1);
        QCOMPARE(committed("SELECT COUNT(*) FROM PREGLED"), std::int64_t{2});
    }
};

QTEST_MAIN(WizardVersionTest)
#include "wizard_version_test.moc"
