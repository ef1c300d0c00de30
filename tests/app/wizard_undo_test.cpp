// Taking a run back from the wizard: the run just imported, from the last page, and any
// journaled run of a database, from the welcome page's list.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <string>

#include "app/undo_dialog.h"
#include "support/program_run.h"
#include "support/table_contents.h"
#include "support/table_rows.h"
#include "support/wizard_fixture.h"
#include "support/written_tables.h"

using namespace kalvex;
using kalvex::testing::report;
using kalvex::testing::rowsOf;

class WizardUndoTest : public kalvex::testing::WizardFixture {
    Q_OBJECT

    std::int64_t count(const std::string& table) {
        return std::get<std::int64_t>(committed("SELECT COUNT(*) FROM " + table));
    }

    // kalvex-import's run of an e-report of `sheets` sheets; the doctor is created.
    void importByProgram(const std::string& name, int sheets) {
        const std::string file = dir_->file(name);
        kalvex::testing::writeBytes(file, report({{"Иван Петров Стоянов", "999", sheets}}));
        const kalvex::testing::ProgramRun run = kalvex::testing::runImport(
            "run --nrd 2022 --xml '" + file + "' --db '" + database_->path() + "' --log '" +
            dir_->file("import.log") + "' --create-doctor");
        QVERIFY2(run.exitCode == 0, run.err.c_str());
    }

  private slots:
    void init() { setUpWizard(); }
    void cleanup() { tearDownWizard(); }

    void theLastPageTakesTheRunJustImportedBack_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("then");
        QTest::newRow("Yes, then Край") << true << "finish";
        QTest::newRow("Yes, then Импортирай отново") << true << "again";
        QTest::newRow("No, then Край") << false << "finish";
    }

    void theLastPageTakesTheRunJustImportedBack() {
        QFETCH(bool, yes);
        QFETCH(QString, then);
        addDatabaseDoctor("Иван", "Петров", "Стоянов", "999");
        const kalvex::testing::TableContents before =
            kalvex::testing::tableContents(database_->path());
        start();
        kalvex::testing::writeBytes(dir_->file("r.xml"),
                                    report({{"Иван Петров Стоянов", "999", 2}}));
        toDoctorPage(kalvex::testing::kNrd2022, dir_->file("r.xml"));
        w().btnNext->click();
        w().btnNext->click();
        waitForPage(w().tshFinishUpdate);
        const kalvex::testing::TableContents imported =
            kalvex::testing::tableContents(database_->path());
        QCOMPARE(count("PREGLED"), 2);
        const std::int64_t run =
            std::get<std::int64_t>(committed("SELECT MAX(ID) FROM KALVEX_RUN"));
        const std::string number = std::to_string(run);

        QVERIFY(w().btnUndoRun->isVisible());
        QVERIFY(w().btnUndoRun->isEnabled());
        QCOMPARE(w().btnUndoRun->text(), QString("Отмени този импорт"));
        dialogs_.answers = {yes};
        w().btnUndoRun->setFocus();
        QTest::keyClick(&w(), Qt::Key_Return);  // Enter presses the focused button

        // The question tells what would go, from an undo worked out and rolled back.
        QCOMPARE(dialogs_.questions,
                 QStringList{QString::fromStdString(
                     "Пробна отмяна на импорт № " + number +
                     ": всичко е отменено\nИзтрити от PACIENT: 2\nИзтрити от PREGLED: 2\n"
                     "Възстановени полета: 0, оставени: 0\nПробна отмяна — нищо не е "
                     "променено в базата.\n\nДа се отмени ли импортът?")});
        if (yes) {
            QCOMPARE(dialogs_.said,
                     QStringList{QString::fromStdString(
                         "info: Отмяна на импорт № " + number +
                         ": всичко е отменено\nИзтрити от PACIENT: 2\nИзтрити от PREGLED: 2\n"
                         "Възстановени полета: 0, оставени: 0")});
            QVERIFY(!w().btnUndoRun->isEnabled());
            QCOMPARE(w().focusWidget(), w().btnNext);
            QVERIFY(w().mmoLog->toPlainText().contains(
                QString::fromStdString("Отмяна на импорт № " + number + ": всичко е отменено")));
            for (const kalvex::testing::WrittenTable& table : kalvex::testing::writtenTables())
                QCOMPARE(count(table.table), 0);
            QCOMPARE(std::get<std::string>(
                         committed("SELECT STATE FROM KALVEX_RUN WHERE ID = " + number)),
                     std::string("undone"));
        } else {
            QVERIFY(dialogs_.said.isEmpty());
            QVERIFY(w().btnUndoRun->isEnabled());
        }
        const kalvex::testing::TableContents expected = yes ? before : imported;
        QVERIFY(kalvex::testing::tableContents(database_->path()) == expected);

        // The wizard's connection goes on as before the undo.
        if (then == "finish") {
            w().btnNext->click();
            QCOMPARE(endRequests_, 1);
        } else {
            w().btnImportAgain->click();
            w().btnNext->click();  // opens the database again
            QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        }
        QCOMPARE(dialogs_.said.size(), yes ? 1 : 0);
        QVERIFY(kalvex::testing::tableContents(database_->path()) == expected);
    }

    void theWelcomePageListsTheRunsNewestFirstAndTakesOneBack() {
        importByProgram("a.xml", 1);
        const kalvex::testing::TableContents afterFirst =
            kalvex::testing::tableContents(database_->path());
        importByProgram("b.xml", 3);
        const std::int64_t rowsOfSecond =
            std::get<std::int64_t>(committed("SELECT ROWS_WRITTEN FROM KALVEX_RUN WHERE ID = 2"));
        start();
        QCOMPARE(w().pages->currentWidget(), w().tshWelcome);
        QCOMPARE(w().btnUndoImport->text(), QString("Отмяна на импорт…"));
        QCOMPARE(w().focusWidget(), w().btnNext);  // Enter still moves on

        // What the dialog showed and did, read inside it; it is closed with Escape.
        QString title;
        QStringList heads, listed, refused, afterUndo;
        bool undoAfter = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<app::UndoDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            title = dialog->windowTitle();
            for (int c = 0; c < dialog->tblRuns->columnCount(); ++c)
                heads.push_back(dialog->tblRuns->horizontalHeaderItem(c)->text());
            listed = rowsOf(*dialog->tblRuns);
            // The older run has writes after it: refused, nothing asked.
            dialog->tblRuns->selectRow(1);
            dialog->btnUndo->click();
            refused = dialogs_.said;
            dialogs_.said.clear();
            // Enter on the list takes the selected run back, after asking.
            dialog->tblRuns->selectRow(0);
            dialog->tblRuns->setFocus();
            dialogs_.answers = {true};
            QTest::keyClick(dialog->tblRuns, Qt::Key_Return);
            afterUndo = rowsOf(*dialog->tblRuns);
            undoAfter = dialog->btnUndo->isEnabled();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        // The field is empty: the database is chosen as the file page's "Избери" does.
        dialogs_.chosen = database_->path();
        w().btnUndoImport->click();

        QCOMPARE(title, QString("Отмяна на импорт"));
        QCOMPARE(heads, (QStringList{"№", "Започнат", "Завършен", "Състояние", "НРД", "Файлове",
                                     "Записани редове"}));
        QCOMPARE(listed.size(), 2);
        const QRegularExpression row(
            "^(\\d+)\\|\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\|\\d{4}-\\d\\d-\\d\\d "
            "\\d\\d:\\d\\d:\\d\\d\\|(.+)\\|2022\\|(.+)\\|(\\d+)$");
        const auto cells = [&](const QString& text) {
            const QRegularExpressionMatch m = row.match(text);
            return m.hasMatch()
                       ? QStringList{m.captured(1), m.captured(2), m.captured(3), m.captured(4)}
                       : QStringList{text};
        };
        QCOMPARE(cells(listed[0]),
                 (QStringList{"2", "завършен", "b.xml", QString::number(rowsOfSecond)}));
        QCOMPARE(cells(listed[1]).mid(0, 3), (QStringList{"1", "завършен", "a.xml"}));
        QCOMPARE(refused.size(), 1);
        QVERIFY2(refused[0].startsWith("error: След Импорт № 1 в базата е писано и в същите "
                                       "таблици:"),
                 qPrintable(refused[0]));
        QCOMPARE(dialogs_.questions.size(), 1);
        QVERIFY(dialogs_.questions[0].startsWith("Пробна отмяна на импорт № 2: всичко е отменено"));
        QCOMPARE(dialogs_.said.size(), 1);
        QVERIFY(dialogs_.said[0].startsWith("info: Отмяна на импорт № 2: всичко е отменено"));
        QCOMPARE(cells(afterUndo[0]).mid(0, 2), (QStringList{"2", "отменен"}));
        QVERIFY(!undoAfter);
        QVERIFY(kalvex::testing::tableContents(database_->path()) == afterFirst);
        QCOMPARE(w().edtGDBfile->text(), QString::fromStdString(database_->path()));
        QCOMPARE(w().pages->currentWidget(), w().tshWelcome);
    }
};

QTEST_MAIN(WizardUndoTest)
#include "wizard_undo_test.moc"
