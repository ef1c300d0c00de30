// Walks the wizard as a user would, against a real practice database and e-report
// files the tests write, with every dialog answered by script.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app/summary_table.h"
#include "common/code_page.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/database_state.h"
#include "support/practice_database.h"
#include "support/report_builder.h"
#include "support/scripted_dialogs.h"
#include "support/table_rows.h"
#include "support/temp_dir.h"
#include "support/wizard_fixture.h"

using namespace kalvex;
using kalvex::testing::Doctor;
using kalvex::testing::kNrd2018;
using kalvex::testing::kNrd2022;
using kalvex::testing::readBytes;
using kalvex::testing::report;
using kalvex::testing::writeBytes;

class WizardTest : public kalvex::testing::WizardFixture {
    Q_OBJECT

  private slots:
    void init() { setUpWizard(); }
    void cleanup() { tearDownWizard(); }

    void cancelOnTheDisclaimerEndsWithStartAndEndLinesOnly() {
        dialogs_.acceptDisclaimer = false;
        QVERIFY(!app::startUp(programPath(), dialogs_).has_value());
        const std::string log = common::fromCp1251(readBytes(dir_->file("kalvex.log")));
        QCOMPARE(std::count(log.begin(), log.end(), '\n'), 2);
        QVERIFY(log.find("Начало на лог") != std::string::npos);
        QVERIFY(log.find("Край на лог") != std::string::npos);
        QVERIFY(!std::filesystem::exists(optionsFile()));
    }

    void optionsFileSetsTheControls_data() {
        QTest::addColumn<QString>("file");  // empty: no options file
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("single");
        QTest::addColumn<int>("edition");
        QTest::newRow("first start") << "" << true << false << 0;
        QTest::newRow("single file") << "rbFolderChecked=0\nrbFileChecked=1" << false << true << 0;
        // Neither checked still works in folder mode.
        QTest::newRow("both 0") << "rbFolderChecked=0\nrbFileChecked=0" << false << false << 0;
        QTest::newRow("both 1, file set last")
            << "rbFolderChecked=1\nrbFileChecked=1" << false << true << 0;
        QTest::newRow("hex edition") << "cbSalvixType=0x1" << true << false << 1;
        QTest::newRow("edition out of range") << "cbSalvixType=5" << true << false << -1;
    }

    void optionsFileSetsTheControls() {
        QFETCH(QString, file);
        QFETCH(bool, folder);
        QFETCH(bool, single);
        QFETCH(int, edition);
        if (!file.isEmpty())
            writeBytes(optionsFile(), "[Kalvex]\r\nedtXMLDir=/d\r\n" +
                                          file.replace("\n", "\r\n").toStdString() + "\r\n");
        start();
        QCOMPARE(w().rbFolder->isChecked(), folder);
        QCOMPARE(w().rbFile->isChecked(), single);
        QCOMPARE(w().edtXMLDir->isEnabled(), !single);
        QCOMPARE(w().btnSelectDir->isEnabled(), !single);
        QCOMPARE(w().edtXMLfile->isEnabled(), single);
        QCOMPARE(w().btnSelectDirUNC->isEnabled(), single);
        QCOMPARE(w().edtXMLDir->text(), file.isEmpty() ? QString() : QString("/d"));
        QCOMPARE(w().cbSalvixType->currentIndex(), edition);
    }

    void enterOnTheWelcomePageMovesToTheFilePage() {
        start();
        QCOMPARE(w().lblStatus->text(), QString("Добре дошли"));
        QVERIFY(!w().btnPrev->isEnabled());
        QTest::keyClick(&w(), Qt::Key_Return);
        QCOMPARE(w().pages->currentWidget(), w().tshChooseXMLandDB);
        QCOMPARE(w().lblStatus->text(), QString("Избор на XML файл и база"));
        QVERIFY(w().btnPrev->isEnabled());
        // Enter in a field of the page is "Напред >" too.
        w().edtXMLDir->setText("/no/such/folder");
        QTest::keyClick(w().edtXMLDir, Qt::Key_Return);
        QCOMPARE(dialogs_.said,
                 QStringList{"info: Посочената папка не съществува!\n/no/such/folder"});
    }

    void missingFileAndFolderKeepsTheFilePage() {
        start();
        toDoctorPage(kNrd2022, dir_->file("none.xml"));
        QCOMPARE(dialogs_.said, QStringList{"info: Посоченият файл не съществува!"});
        QCOMPARE(w().pages->currentWidget(), w().tshChooseXMLandDB);
        QVERIFY(!std::filesystem::exists(optionsFile()));
    }

    void folderWithoutXmlFilesKeepsTheFilePage() {
        start();
        std::filesystem::create_directory(dir_->file("empty"));
        toDoctorPage(kNrd2022, "", dir_->file("empty"));
        QCOMPARE(dialogs_.said.size(), 1);
        QVERIFY(dialogs_.said[0].startsWith("error: "));
        QCOMPARE(w().pages->currentWidget(), w().tshChooseXMLandDB);
    }

    void fileOfAnotherVersionKeepsTheFilePage() {
        start();
        writeBytes(dir_->file("r.xml"), "<?xml version=\"1.0\"?><Report/>");
        toDoctorPage(kNrd2022, dir_->file("r.xml"));
        QCOMPARE(dialogs_.said,
                 QStringList{"error: Възникна грешка при четенето на XML файла. Проверете дали "
                             "избраното НРД съвпада с формата на файла който сте избрали"});
        QCOMPARE(w().pages->currentWidget(), w().tshChooseXMLandDB);
    }

    void fileWithoutDoctorDisablesNext() {
        addDatabaseDoctor("Мария", "Иванова", "Петкова", "111");
        start();
        writeBytes(dir_->file("r.xml"), report({}, 2018));
        toDoctorPage(kNrd2018, dir_->file("r.xml"));
        QCOMPARE(dialogs_.said,
                 QStringList{"info: В посоченият XML файл няма данни за нито 1 лекар!"});
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        QVERIFY(!w().btnNext->isEnabled());
        QTest::keyClick(&w(), Qt::Key_Return);
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
    }

    void databaseWithoutDoctorsIsReported() {
        start();
        writeBytes(dir_->file("r.xml"), report({{"Иван Петров Стоянов", "1234567890", 2}}));
        toDoctorPage(kNrd2022, dir_->file("r.xml"));
        QCOMPARE(dialogs_.said, QStringList{"info: В посочената база няма данни за нито 1 лекар!"});
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        QCOMPARE(w().cbxDoctorXML->currentText(), QString("Иван Петров Стоянов  (2 амб.листа)"));
        QCOMPARE(w().cbxDoctorGDB->count(), 0);
        QVERIFY(!w().cbImportDoctorIfNotExists->isHidden());
        QVERIFY(w().btnNext->isEnabled());
    }

    void preselectsTheDatabaseDoctorByName() {
        addDatabaseDoctor("Мария", nullptr, "Иванова", "111");
        addDatabaseDoctor("Иван", "Петров", "Стоянов", "999");
        start();
        writeBytes(dir_->file("r.xml"), report({{"Иван Петров Стоянов", "1234567890", 27}}));
        toDoctorPage(kNrd2022, dir_->file("r.xml"));
        QVERIFY(dialogs_.said.empty());
        QCOMPARE(w().cbxDoctorGDB->currentText(), QString("Иван Петров Стоянов"));
        QVERIFY(w().cbImportDoctorIfNotExists->isHidden());
        QVERIFY(std::filesystem::exists(optionsFile()));  // saved on leaving the file page
    }

    void preselectsTheDatabaseDoctorByUin() {
        addDatabaseDoctor("Петър", "Петров", "Петров", "222");
        addDatabaseDoctor("Георги", "Георгиев", "Георгиев", "111");
        start();
        writeBytes(dir_->file("r.xml"),
                   report({{"Анна Колева Колева", "111", 1}, {"Божидар Ников Ников", "222", 3}},
                          2018));
        toDoctorPage(kNrd2018, dir_->file("r.xml"));
        QCOMPARE(w().cbxDoctorXML->count(), 2);
        QCOMPARE(w().cbxDoctorGDB->currentIndex(), 0);  // no name matched: the first
        QVERIFY(!w().cbImportDoctorIfNotExists->isHidden());

        w().cbxDoctorXML->setCurrentIndex(1);
        emit w().cbxDoctorXML->activated(1);
        QCOMPARE(w().cbxDoctorGDB->currentText(), QString("Петър Петров Петров"));
        w().cbxDoctorXML->setCurrentIndex(0);
        emit w().cbxDoctorXML->activated(0);
        QCOMPARE(w().cbxDoctorGDB->currentText(), QString("Георги Георгиев Георгиев"));
        QVERIFY(!w().cbImportDoctorIfNotExists->isHidden());  // not touched
    }

    void doctorListsShowUpToTwentyLines_data() {
        QTest::addColumn<int>("doctors");
        QTest::addColumn<int>("lines");
        QTest::newRow("three") << 3 << 3;
        QTest::newRow("twenty-five") << 25 << 20;
    }

    void doctorListsShowUpToTwentyLines() {
        QFETCH(int, doctors);
        QFETCH(int, lines);
        std::vector<Doctor> inFile;
        for (int i = 0; i < doctors; ++i) {
            const std::string uin = std::to_string(100 + i);
            addDatabaseDoctor("Лекар", nullptr, uin.c_str(), uin.c_str());
            inFile.push_back({"Лекар " + uin, uin, 1});
        }
        start();
        writeBytes(dir_->file("r.xml"), report(inFile, 2018));
        toDoctorPage(kNrd2018, dir_->file("r.xml"));
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        QCOMPARE(w().cbxDoctorXML->count(), doctors);
        QCOMPARE(w().cbxDoctorGDB->count(), doctors);
        QCOMPARE(w().cbxDoctorXML->maxVisibleItems(), lines);
        QCOMPARE(w().cbxDoctorGDB->maxVisibleItems(), lines);
    }

    void folderOfThreeFilesCountsItsSteps() {
        addDatabaseDoctor("Иван", "Петров", "Стоянов", "999");
        start();
        const std::string folder = dir_->file("reports");
        std::filesystem::create_directory(folder);
        for (const char* name : {"c.xml", "a.xml", "b.xml"})
            writeBytes(folder + "/" + name, report({{"Иван Петров Стоянов", "999", 1}}));
        toDoctorPage(kNrd2022, "", folder);
        w().btnNext->click();  // summary
        QCOMPARE(w().lblStatus->text(), QString("Информацията е събрана"));
        w().btnNext->click();  // progress; the posted start message runs the import
        waitForPage(w().tshFinishUpdate);
        QCOMPARE(fileSteps_, (std::vector<std::string>{"Файл: a.xml\r\nСтъпка: 1 от 3...",
                                                       "Файл: b.xml\r\nСтъпка: 2 от 3...",
                                                       "Файл: c.xml\r\nСтъпка: 3 от 3..."}));
        // The last page and the log tell what the three files did together.
        const QRegularExpression examinations("Прегледи +(\\d+) +(\\d+) +0 +0 +0 +0");
        const QRegularExpressionMatch m = examinations.match(w().mmoLog->toPlainText());
        QVERIFY2(m.hasMatch(), qPrintable(w().mmoLog->toPlainText()));
        QCOMPARE(m.captured(1).toInt() + m.captured(2).toInt(), 3);
        QVERIFY(kalvex::testing::rowsOf(*w().tblSummary)
                    .contains("Прегледи|" + m.captured(1) + "|" + m.captured(2) + "|0|0|0|0"));
        QCOMPARE(w().btnNext->text(), QString("Край"));
        QVERIFY(!w().btnPrev->isEnabled());
        QVERIFY(!w().btnCancel->isEnabled());
    }

    void anErrorDuringTheImportKeepsTheProgressPage() {
        addDatabaseDoctor("Иван", "Петров", "Стоянов", "999");
        start();
        const std::string folder = dir_->file("reports");
        std::filesystem::create_directory(folder);
        writeBytes(folder + "/a.xml", report({{"Иван Петров Стоянов", "999", 1}}));
        writeBytes(folder + "/b.xml", "<Practice><Doctor>");
        toDoctorPage(kNrd2022, "", folder);
        w().btnNext->click();
        w().btnNext->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialogs_.said.isEmpty(), 20000);
        QCOMPARE(dialogs_.said.size(), 1);
        QVERIFY(dialogs_.said[0].startsWith("error: "));
        QVERIFY(dialogs_.said[0].contains("b.xml"));
        QVERIFY(w().mmoLog->toPlainText().contains(
            QString::fromStdString("Импортът спря при файл " + folder + "/b.xml: ")));
        QCOMPARE(fileSteps_.size(), size_t{2});
        QTest::qWait(50);  // no finish message may follow
        QCOMPARE(w().pages->currentWidget(), w().tshProgress);
        QVERIFY(!w().btnNext->isEnabled());
        QVERIFY(!w().btnPrev->isEnabled());
        QVERIFY(w().btnCancel->isEnabled());
    }

    void changingTheVersionEmptiesTheNamedStatements() {
        start();
        session_->dm->database.qryPatient.setSql("SELECT 1 FROM RDB$DATABASE");
        session_->dm->database.qryBolnList.setSql("SELECT 2 FROM RDB$DATABASE");
        w().cbNRD->setCurrentIndex(5);
        emit w().cbNRD->activated(5);
        QVERIFY(session_->dm->database.qryPatient.sql().empty());
        QVERIFY(session_->dm->database.qryBolnList.sql().empty());
        QVERIFY(w().btnNext->isEnabled());
    }

    void importAgainReturnsToTheFilePage() {
        addDatabaseDoctor("Иван", "Петров", "Стоянов", "999");
        start();
        writeBytes(dir_->file("r.xml"), report({{"Иван Петров Стоянов", "999", 1}}));
        toDoctorPage(kNrd2022, dir_->file("r.xml"));
        w().btnNext->click();
        w().btnNext->click();
        waitForPage(w().tshFinishUpdate);
        QVERIFY(fileSteps_.empty());  // one file: no step text

        w().btnImportAgain->click();
        QCOMPARE(w().pages->currentWidget(), w().tshChooseXMLandDB);
        QCOMPARE(w().lblStatus->text(), QString("Приключване на импортирането"));
        QCOMPARE(w().btnNext->text(), QString("Напред >"));
        QVERIFY(w().btnPrev->isEnabled());
        QVERIFY(w().btnCancel->isEnabled());

        w().btnNext->click();  // the next pass opens the database again
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        QCOMPARE(w().cbxDoctorGDB->currentText(), QString("Иван Петров Стоянов"));
    }

    void optionsAreSavedOnLeavingTheFilePageAndOnFinishOnly() {
        addDatabaseDoctor("Иван", "Петров", "Стоянов", "999");
        start();
        writeBytes(dir_->file("r.xml"), report({{"Иван Петров Стоянов", "999", 1}}));
        QTest::keyClick(&w(), Qt::Key_Return);
        w().btnCancel->click();
        QCOMPARE(endRequests_, 1);
        QVERIFY(!std::filesystem::exists(optionsFile()));

        w().btnPrev->click();
        toDoctorPage(kNrd2022, dir_->file("r.xml"));
        const std::string saved = readBytes(optionsFile());
        QVERIFY(saved.find("rbFileChecked=1") != std::string::npos);
        QVERIFY(saved.find("edtGDBfile=" + database_->path()) != std::string::npos);

        std::filesystem::remove(optionsFile());
        w().btnNext->click();
        w().btnNext->click();
        waitForPage(w().tshFinishUpdate);
        QVERIFY(!std::filesystem::exists(optionsFile()));
        w().btnNext->click();  // "Край"
        QCOMPARE(endRequests_, 2);
        QCOMPARE(readBytes(optionsFile()), saved);
    }

    void choosersFillTheirFieldsAndCancellingLeavesThem() {
        start();
        QTest::keyClick(&w(), Qt::Key_Return);
        const QString programFolder = QString::fromStdString(dir_->path().string());
        w().edtXMLDir->setText("/no/such/folder");
        dialogs_.chosen = std::nullopt;
        w().btnSelectDir->click();
        QCOMPARE(w().edtXMLDir->text(), QString("/no/such/folder"));
        dialogs_.chosen = dir_->path().string();
        w().btnSelectDir->click();
        QCOMPARE(w().edtXMLDir->text(), programFolder);
        w().btnSelectDir->click();  // now the field names a folder: the dialog starts there

        w().rbFile->click();
        dialogs_.chosen = "/data/r.xml";
        w().btnSelectDirUNC->click();
        QCOMPARE(w().edtXMLfile->text(), QString("/data/r.xml"));
        dialogs_.chosen = "/data/practice.gdb";
        w().Button1->click();
        QCOMPARE(w().edtGDBfile->text(), QString("/data/practice.gdb"));
        dialogs_.chosen = std::nullopt;
        w().Button1->click();
        QCOMPARE(w().edtGDBfile->text(), QString("/data/practice.gdb"));

        // The file dialogs start in the program's own folder.
        const QString binary = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
        QCOMPARE(dialogs_.asked,
                 (QStringList{"Изберете папка...|", "Изберете папка...|",
                              "Изберете папка...|" + programFolder,
                              "Отвори XML файл...|" + binary + "|XML Files (*.xml)",
                              "Отвори GDB файл...|" + binary + "|Бази на Salvix (*.gdb *.fdb)",
                              "Отвори GDB файл...|" + binary + "|Бази на Salvix (*.gdb *.fdb)"}));
    }

    void shutDownCommitsTheRunAndEndsTheLog() {
        start();
        writeBytes(dir_->file("r.xml"), report({{"Иван Петров Стоянов", "999", 1}}));
        toDoctorPage(kNrd2022, dir_->file("r.xml"));  // opens the database and its transaction
        session_->dm->database.SqlToValue(
            "INSERT INTO DOCTOR (FNAME, SNAME, LNAME, UIN) VALUES ('Ана', 'Б', 'В', '5')");
        app::shutDown(*session_, dialogs_);
        QCOMPARE(dialogs_.said, QStringList{"info: В посочената база няма данни за нито 1 лекар!"});

        db::Tdm other;
        db::GDBOpenDatabase(other, database_->path());
        QCOMPARE(db::GDBFillDoctorNames(other).size(), size_t{1});
        db::GDBCloseDatabase(other);
        const std::string log = common::fromCp1251(readBytes(dir_->file("kalvex.log")));
        QVERIFY(log.rfind("Край на лог") != std::string::npos);
    }

    void importsASampleFileEndToEnd() {
        addDatabaseDoctor("Иван", "Петров", "Стоянов", "0400000001", 1);
        start();
        kalvex::testing::ReportInput input;
        input.doctors[0].uin = "0400000001";
        input.doctors[0].fullName = "Иван Петров Стоянов";
        kalvex::testing::SheetInput own, hired;
        own.noAl = "000001";
        hired.noAl = "000002";
        hired.egn = "8001010005";
        hired.given = "Анна";
        hired.extra =
            "<Hired_Subst><H_S>0</H_S><UINH_S>0400000077</UINH_S><FullNameH_S>Петър Иванов "
            "Колев</FullNameH_S></Hired_Subst>";
        input.doctors[0].sheets = {own, hired};
        writeBytes(dir_->file("r.xml"), kalvex::testing::reportXml(input));
        dialogs_.answers = {true};
        dialogs_.inputs = {"6101010013"};

        toDoctorPage(kNrd2022, dir_->file("r.xml"));
        QCOMPARE(w().cbxDoctorGDB->currentText(), QString("Иван Петров Стоянов"));
        QSignalSpy moves(w().ProgressBar, &QProgressBar::valueChanged);
        w().btnNext->click();
        w().btnNext->click();
        waitForPage(w().tshFinishUpdate);
        QCOMPARE(w().lblProgress->text(),
                 QString("Брой импортирани амбулаторни листа: 2 от 2 общо."));
        QCOMPARE(w().lblCurrentAction->text(),
                 QString("Импортиране на първичен АЛ № 000002 на Анна Петров Стоянов"));
        QVERIFY(moves.size() >= 2);
        QCOMPARE(moves.at(moves.size() - 2).at(0).toInt(), 1);
        QCOMPARE(moves.last().at(0).toInt(), 2);
        QCOMPARE(w().ProgressBar->maximum(), 2);
        QVERIFY(w().mmoLog->toPlainText().contains(
            "Импортиране на първичен АЛ № 000001 на Иван Петров Стоянов"));

        w().btnNext->click();  // "Край" commits
        QCOMPARE(endRequests_, 1);
        QCOMPARE(std::get<std::int64_t>(committed("SELECT COUNT(*) FROM PREGLED")), 2);
        QCOMPARE(std::get<std::int64_t>(committed("SELECT COUNT(*) FROM PACIENT")), 2);

        QCOMPARE(dialogs_.questions,
                 QStringList{"Kalvex откри, че преглед с номер 000002 е извършен от "
                             "нает/заместващ д-р Петър Иванов Колев. Искате ли да импортирате "
                             "този доктор в базата? За целта е нужно да въведете ЕГН!"});
        QCOMPARE(dialogs_.prompts,
                 QStringList{"Импорт нает/заместващ лекар|Salvix трябва да импортира данните "
                             "за нает/заместващ лекар на АЛ 000002. Моля въведете ЕГН на д-р "
                             "Петър Иванов Колев"});
        QCOMPARE(std::get<std::int64_t>(committed(
                     "SELECT COUNT(*) FROM DOCTOR d JOIN PREGLED p ON p.DOCTOR_ID = d.ID WHERE "
                     "p.AMB_LISTN = '000002' AND d.UIN = '0400000077' AND d.EGN = '6101010013' "
                     "AND d.FNAME = 'Петър' AND d.LNAME = 'Колев' AND d.IS_NAET = 'Y'")),
                 1);
    }

    void dryRunWritesNothing_data() {
        QTest::addColumn<QString>("end");
        QTest::newRow("Край") << "finish";
        QTest::newRow("Импортирай отново") << "again";
        QTest::newRow("closing the window") << "shut down";
    }

    void dryRunWritesNothing() {
        QFETCH(QString, end);
        addDatabaseDoctor("Иван", "Петров", "Стоянов", "999");
        const kalvex::testing::DatabaseState before =
            kalvex::testing::databaseState(database_->path());
        start();
        writeBytes(dir_->file("r.xml"), report({{"Иван Петров Стоянов", "999", 2}}));
        toDoctorPage(kNrd2022, dir_->file("r.xml"));
        w().btnNext->click();
        QCOMPARE(w().ckbDryRun->text(), QString("Пробен импорт — без запис в базата"));
        w().ckbDryRun->setChecked(true);
        w().btnNext->click();
        waitForPage(w().tshFinishUpdate);
        QCOMPARE(w().lblProgress->text(),
                 QString("Брой импортирани амбулаторни листа: 2 от 2 общо."));
        QVERIFY(w().lblDryRun->isVisible());
        QCOMPARE(w().lblDryRun->text(),
                 QString("Пробен импорт: нищо не е записано в базата на Salvix."));
        QVERIFY(!w().btnUndoRun->isVisible());  // nothing was kept to take back
        // Rolled back, generators and all, before the last page said so.
        QVERIFY(kalvex::testing::databaseState(database_->path()) == before);

        if (end == "finish")
            w().btnNext->click();
        else if (end == "again")
            w().btnImportAgain->click();
        else
            app::shutDown(*session_, dialogs_);
        QVERIFY(kalvex::testing::databaseState(database_->path()) == before);
    }

    void detailsTabTakesTheLogAndTheButtonsReturnFromIt() {
        start();
        w().tabs->setCurrentIndex(1);
        w().ckbVerbose->click();
        QVERIFY(w().mmoLog->toPlainText().contains("Включена опцията за подробен лог"));
        w().btnCancel->click();  // only back to the wizard pages
        QCOMPARE(endRequests_, 0);
        QCOMPARE(w().tabs->currentIndex(), 0);
        w().tabs->setCurrentIndex(1);
        w().btnNext->click();
        QCOMPARE(w().tabs->currentIndex(), 0);
        QCOMPARE(w().pages->currentWidget(), w().tshWelcome);
    }
};

QTEST_MAIN(WizardTest)
#include "wizard_test.moc"
