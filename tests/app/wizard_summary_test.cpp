// The summaries around an import: the summary page's list of what is about to happen,
// the last page's table of what happened (its counts the log's and the database's, its
// colours, its fit in the window, the log lines behind a row) and, after a dry run,
// the same import for real.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <optional>

#include "app/kind_log_dialog.h"
#include "app/summary_table.h"
#include "engine/run/do_import.h"
#include "support/database_state.h"
#include "support/summary_fixture.h"
#include "support/summary_rows.h"
#include "support/table_rows.h"

using namespace kalvex;
using kalvex::testing::rowsOf;

namespace {

// The last run's summary as the log tells it, in the table's shape: the summary's lines
// at the log's end, a kind's counts as "caption|n|n|…", the column heads left out.
QStringList loggedSummary(const QString& log) {
    static const QRegularExpression counts(
        "^(\\S.*?) +(\\d+) +(\\d+) +(\\d+) +(\\d+) +(\\d+) +(\\d+)$");
    static const QRegularExpression heads("^ +Записани +В базата");
    static const QRegularExpression other(
        "^(Лекар .*, УИН .*: .*|Общо за всички лекари:|Файл .*: НРД \\d+)$");
    const QStringList lines = log.split('\n');
    QStringList rows;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (const QRegularExpressionMatch m = counts.match(*line); m.hasMatch()) {
            QStringList cells = m.capturedTexts();
            cells.removeFirst();
            rows.prepend(cells.join('|'));
        } else if (other.match(*line).hasMatch()) {
            rows.prepend(*line);
        } else if (!line->isEmpty() && !heads.match(*line).hasMatch()) {
            break;
        }
    }
    return rows;
}

// Every count in its colour: zero grey, a skipped or failed one that is not zero in
// the colour of its class, any other in the table's own.
void checkColours(const QTableWidget& table) {
    for (int column = 1; column < table.columnCount(); ++column) {
        const QString head = table.horizontalHeaderItem(column)->text();
        const bool failed = head == "Неуспешни";
        const bool skipped =
            head == "Непознат код" || head == "Не са открити" || head == "Пропуснати";
        for (int row = 0; row < table.rowCount(); ++row) {
            const QTableWidgetItem* cell = table.item(row, column);
            if (cell == nullptr)
                continue;
            const QColor colour = cell->foreground().color();
            const QString where = head + " " + table.item(row, 0)->text();
            QCOMPARE(cell->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
            if (cell->text() == "0")
                QVERIFY2(colour == app::SummaryTable::zeroColour(), qPrintable(where));
            else if (failed)
                QVERIFY2(colour == app::SummaryTable::failedColour(), qPrintable(where));
            else if (skipped)
                QVERIFY2(colour == app::SummaryTable::skippedColour(), qPrintable(where));
            else
                QVERIFY2(cell->foreground().style() == Qt::NoBrush, qPrintable(where));
        }
    }
}

// Each kind whose "Записани" in the table's total differs from the rows its tables
// gained, as "caption: table N, database M"; empty when the table is true.
QStringList writtenMismatches(const QTableWidget& table, const testing::DatabaseState& before,
                              const testing::DatabaseState& after) {
    QStringList wrong;
    for (const testing::SummaryKind& kind : testing::summaryKinds()) {
        const auto named = std::find_if(
            engine::summaryKinds().begin(), engine::summaryKinds().end(),
            [&](const engine::SummaryKind& k) { return std::string(k.key) == kind.key; });
        const QList<QTableWidgetItem*> rows = table.findItems(named->caption, Qt::MatchExactly);
        const std::int64_t written =
            rows.isEmpty() ? 0 : table.item(rows.last()->row(), 1)->text().toLongLong();
        std::int64_t added = 0;
        for (const char* name : kind.tables)
            added += testing::rowsOf(after, name) - testing::rowsOf(before, name);
        if (written != added)
            wrong.push_back(QString(named->caption) + ": table " + QString::number(written) +
                            ", database " + QString::number(added));
    }
    return wrong;
}

// The user of an import run outside the wizard: No to every question, nothing to tell.
class QuietUser final : public engine::ImportUser {
    void setActionText(const std::string&) override {}
    void setCountText(const std::string&) override {}
    void setProgress(int, int) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> inputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    void showMessage(const std::string&) override {}
    void LogToMemo(const std::string&) override {}
};

}  // namespace

class WizardSummaryTest : public kalvex::testing::SummaryFixture {
    Q_OBJECT

    std::int64_t count(const std::string& table) {
        return std::get<std::int64_t>(committed("SELECT COUNT(*) FROM " + table));
    }
    QStringList overview() { return rowsOf(*w().tblRunOverview); }

  private slots:
    void init() { setUpWizard(); }
    void cleanup() { tearDownWizard(); }

    void theSummaryPageListsWhatTheImportWillDo_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("doctorLines");
        QTest::newRow("a file")
            << "plain"
            << QStringList{"Лекар от XML|Мария Иванова Петрова  (2 амб.листа)",
                           "Лекар в базата|Мария Иванова Петрова"};
        QTest::newRow("a folder")
            << "folder"
            << QStringList{"Лекар от XML|първият лекар на всеки файл; в първия Мария Иванова "
                           "Петрова  (1 амб.листа)",
                           "Лекар в базата|Мария Иванова Петрова"};
        QTest::newRow("a whole practice")
            << "whole practice"
            << QStringList{"Лекари (по УИН)|Анна Колева Колева (УИН 111) → Анна Колева Колева "
                           "(ID 2)",
                           "|Божидар Ников Ников (УИН 222) → Божидар Ников Ников (ID 3)",
                           "|Цветан Цонев Цонев (УИН 333) → няма в базата"};
    }

    void theSummaryPageListsWhatTheImportWillDo() {
        QFETCH(QString, how);
        QFETCH(QStringList, doctorLines);
        toSummaryPage(how);
        QCOMPARE(w().lblStatus->text(), QString("Информацията е събрана"));
        const bool folder = how == "folder";
        QStringList expected{
            folder ? "Папка|" + QString::fromStdString(dir_->file("reports")) +
                         " (2 електронни отчета)"
                   : "XML файл|" + QString::fromStdString(dir_->file("r.xml")),
            "База на Salvix|" + QString::fromStdString(database_->path()),
            how == "whole practice" ? "НРД|2018" : "НРД|2022", "Вид на базата|Salvix GP"};
        expected += doctorLines;
        QCOMPARE(overview(), expected + QStringList{"Пробен импорт|не — данните ще бъдат "
                                                    "записани в базата"});
        w().ckbDryRun->click();
        QCOMPARE(overview().last(), QString("Пробен импорт|да — нищо няма да бъде записано в базата"));
        QVERIFY(!w().tblRunOverview->horizontalScrollBar()->isVisible());
    }

    void theTableIsTheLogsSummary_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("examinations");  // the table's row of them
        QTest::newRow("all written") << "plain" << "Прегледи|2|0|0|0|0|0";
        QTest::newRow("a vaccine of an unknown code") << "unknown vaccine" << "Прегледи|2|0|0|0|0|0";
        QTest::newRow("a patient left out") << "long name" << "";
        QTest::newRow("every document") << "every document" << "Прегледи|2|0|0|0|0|0";
        QTest::newRow("a folder") << "folder" << "Прегледи|2|0|0|0|0|0";
        QTest::newRow("a whole practice") << "whole practice" << "Прегледи|3|0|0|3|0|0";
    }

    void theTableIsTheLogsSummary() {
        QFETCH(QString, how);
        QFETCH(QString, examinations);
        toSummaryPage(how);
        const kalvex::testing::DatabaseState before =
            kalvex::testing::databaseState(database_->path());
        importToTheEnd();
        const QStringList rows = rowsOf(*w().tblSummary);
        QCOMPARE(rows, loggedSummary(w().mmoLog->toPlainText()));
        if (!examinations.isEmpty())
            QVERIFY2(rows.contains(examinations), qPrintable(rows.join('\n')));
        QCOMPARE(writtenMismatches(*w().tblSummary, before,
                                   kalvex::testing::databaseState(database_->path())),
                 QStringList{});
        checkColours(*w().tblSummary);
        // The whole table's width in view, every head's words whole.
        const QHeaderView* header = w().tblSummary->horizontalHeader();
        QVERIFY(!w().tblSummary->horizontalScrollBar()->isVisible());
        QVERIFY(header->length() <= w().tblSummary->viewport()->width());
        const QFontMetrics metrics(header->font());
        for (int column = 1; column < w().tblSummary->columnCount(); ++column) {
            const QString head = w().tblSummary->horizontalHeaderItem(column)->text();
            const QRect needed = metrics.boundingRect(
                QRect(0, 0, header->sectionSize(column), 1000), Qt::TextWordWrap, head);
            QVERIFY2(needed.width() <= header->sectionSize(column) &&
                         needed.height() <= header->height(),
                     qPrintable(head));
        }
    }

    // A run that stops counts the sheet it stopped at as failed: that count stands out.
    void aFailedCountIsRed() {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database_->path());
        dm.SqlToValue("INSERT INTO DOCTOR (UIN, SPECIALITY_ID, FNAME, LNAME) VALUES "
                      "('0400000001', 1, 'Мария', 'Петрова')");
        kalvex::testing::ReportInput input;
        input.doctors[0].sheets.resize(2);
        input.doctors[0].sheets[0].noAl = "1";
        input.doctors[0].sheets[1].noAl = "2";
        input.doctors[0].sheets[1].egn = "8001010005";
        input.doctors[0].sheets[1].given = std::string(51, 'x');  // stops NRD 2015
        kalvex::testing::dateWithin(2015, input);
        kalvex::testing::writeBytes(dir_->file("r.xml"), kalvex::testing::reportXml(input));
        engine::ImportSettings settings;
        settings.nrdIndex = *ereport::XmlReport::versionIndex("2015");
        settings.databaseDoctorId = static_cast<std::int32_t>(
            std::get<std::int64_t>(dm.SqlToValue("SELECT MAX(ID) FROM DOCTOR")));
        ereport::XmlReport xml;
        xml.XMLLoadFile(settings.nrdIndex, dir_->file("r.xml"));
        QuietUser user;
        engine::RunLedger ledger;
        QVERIFY_THROWS_EXCEPTION(std::exception,
                                 engine::DoImport(dm, xml, settings, user, ledger));
        db::GDBCloseDatabase(dm);
        app::SummaryTable table;
        table.showRun(ledger.counts(), {}, {});
        QCOMPARE(rowsOf(table), (QStringList{"Пациенти|1|0|0|0|0|0", "Прегледи|1|0|0|0|0|1"}));
        checkColours(table);
        QCOMPARE(table.item(1, 6)->foreground().color(), app::SummaryTable::failedColour());
    }

    void aDoubleClickShowsTheRowsLogLines_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("lines");  // as they begin; none: no dialog
        QTest::newRow("a vaccine of an unknown code")
            << "unknown vaccine" << "Имунизации"
            << QStringList{"Не съществува ефективна имунизация с код = 99"};
        QTest::newRow("a patient left out")
            << "long name" << "Пациенти"
            << QStringList{"Импортиране на АЛ: Амб. лист с номер 2 не е импортиран: пациентът"};
        QTest::newRow("a whole practice's missing doctor")
            << "whole practice" << "Прегледи"
            << QStringList{"Лекарят Цветан Цонев Цонев (УИН 333) няма в базата на Salvix: 3 "
                           "амбулаторни листа не са импортирани."};
        QTest::newRow("a row without losses") << "plain" << "Прегледи" << QStringList{};
    }

    void aDoubleClickShowsTheRowsLogLines() {
        QFETCH(QString, how);
        QFETCH(QString, kind);
        QFETCH(QStringList, lines);
        toSummaryPage(how);
        importToTheEnd();
        app::SummaryTable& table = *w().tblSummary;
        // The last row of the kind: the run's total, after any doctor's block.
        const QList<QTableWidgetItem*> found = table.findItems(kind, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        QString title;
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<app::KindLogDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            title = dialog->windowTitle();
            shown = dialog->mmoLines->toPlainText().split('\n');
            dialog->btnClose->click();
        });
        table.scrollToItem(found.last());
        // A double-click is a click and a second press soon after.
        const QPoint at = table.visualItemRect(found.last()).center();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
        QTest::qWait(50);
        if (lines.isEmpty()) {
            QVERIFY(title.isEmpty());
            return;
        }
        QCOMPARE(title, kind + " — пропуснати и неуспешни");
        QCOMPARE(shown.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(shown[i].startsWith(lines[i]), qPrintable(shown[i]));
    }

    void importForRealWritesWhatTheDryRunShowed_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("a file") << "unknown vaccine";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a whole practice") << "whole practice";
    }

    void importForRealWritesWhatTheDryRunShowed() {
        QFETCH(QString, how);
        toSummaryPage(how, true);
        const kalvex::testing::DatabaseState before =
            kalvex::testing::databaseState(database_->path());
        importToTheEnd();
        const QStringList dryRun = rowsOf(*w().tblSummary);
        QCOMPARE(count("PREGLED"), std::int64_t{0});
        QVERIFY(w().lblDryRun->isVisible());
        QVERIFY(!w().btnUndoRun->isVisible());
        QVERIFY(w().btnImportForReal->isVisible());
        QCOMPARE(w().btnImportForReal->text(), QString("Импортирай наистина"));

        w().btnImportForReal->click();
        QTRY_VERIFY_WITH_TIMEOUT(
            w().pages->currentWidget() == w().tshFinishUpdate && w().lblDryRun->isHidden(), 20000);
        QCOMPARE(w().pages->currentWidget(), w().tshFinishUpdate);
        QVERIFY(dialogs_.said.isEmpty());
        QCOMPARE(rowsOf(*w().tblSummary), dryRun);
        QCOMPARE(writtenMismatches(*w().tblSummary, before,
                                   kalvex::testing::databaseState(database_->path())),
                 QStringList{});
        QVERIFY(!w().btnImportForReal->isVisible());
        QCOMPARE(w().btnNext->text(), QString("Край"));
        QVERIFY(!w().btnCancel->isEnabled());
        // A real run, journaled: it can be taken back as any other.
        QVERIFY(w().btnUndoRun->isVisible());
        QCOMPARE(count("KALVEX_RUN"), std::int64_t{1});
        dialogs_.answers = {true};
        w().btnUndoRun->click();
        QCOMPARE(count("PREGLED"), std::int64_t{0});
    }
};

QTEST_MAIN(WizardSummaryTest)
#include "wizard_summary_test.moc"
