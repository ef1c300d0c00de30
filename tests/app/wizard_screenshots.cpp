// Pictures of the summary page and the last page as the user sees them, for looking
// at, not for checking: each run of the summaries is photographed into the folder that
// KALVEX_SCREENSHOTS names. Without it every case is skipped.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/kind_log_dialog.h"
#include "app/summary_table.h"
#include "support/summary_fixture.h"

class WizardScreenshots : public kalvex::testing::SummaryFixture {
    Q_OBJECT

    QString folder_;

    void save(QWidget& widget, const QString& name) {
        QVERIFY2(widget.grab().save(QDir(folder_).filePath(name + ".png")), qPrintable(name));
    }

  private slots:
    void init() {
        folder_ = qEnvironmentVariable("KALVEX_SCREENSHOTS");
        if (folder_.isEmpty())
            QSKIP("KALVEX_SCREENSHOTS names no folder");
        QDir().mkpath(folder_);
        setUpWizard();
    }
    void cleanup() { tearDownWizard(); }

    void summaryPage_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("file") << "plain";
        QTest::newRow("folder") << "folder";
        QTest::newRow("practice") << "whole practice";
    }
    void summaryPage() {
        QFETCH(QString, how);
        toSummaryPage(how);
        save(w(), QString("summary_page_") + QTest::currentDataTag());
    }

    void lastPage_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("dryRun");
        QTest::newRow("completed") << "every document" << false;
        QTest::newRow("skips") << "unknown vaccine" << false;
        QTest::newRow("patient_left_out") << "long name" << false;
        QTest::newRow("practice") << "whole practice" << false;
        QTest::newRow("dry_run") << "plain" << true;
    }
    void lastPage() {
        QFETCH(QString, how);
        QFETCH(bool, dryRun);
        toSummaryPage(how, dryRun);
        importToTheEnd();
        save(w(), QString("last_page_") + QTest::currentDataTag());
    }

    void kindLog() {
        toSummaryPage("long name");
        importToTheEnd();
        kalvex::app::SummaryTable& table = *w().tblSummary;
        QTimer::singleShot(0, [this] {
            if (auto* dialog =
                    dynamic_cast<kalvex::app::KindLogDialog*>(QApplication::activeModalWidget())) {
                save(*dialog, "kind_log_dialog");
                dialog->btnClose->click();
            }
        });
        const QTableWidgetItem* patients = table.findItems("Пациенти", Qt::MatchExactly).last();
        const QPoint at = table.visualItemRect(patients).center();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
    }
};

QTEST_MAIN(WizardScreenshots)
#include "wizard_screenshots.moc"
