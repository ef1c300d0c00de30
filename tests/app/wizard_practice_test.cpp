// The doctor page's whole-practice choice: offered for a file of several doctors and
// for a folder, the lists set aside while it is on, each XML doctor shown beside the
// database doctor he goes to, and the import then writing every doctor's sheets.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "app/summary_table.h"
#include "support/table_rows.h"
#include "support/wizard_fixture.h"

using kalvex::testing::kNrd2018;
using kalvex::testing::report;
using kalvex::testing::writeBytes;

class WizardPracticeTest : public kalvex::testing::WizardFixture {
    Q_OBJECT

    std::int64_t examinationsOf(const char* uin) {
        return std::get<std::int64_t>(
            committed(std::string("SELECT COUNT(*) FROM PREGLED P JOIN DOCTOR D ON D.ID = "
                                  "P.DOCTOR_ID WHERE D.UIN = '") +
                      uin + "'"));
    }
    QStringList mapping() {
        QStringList lines;
        for (int i = 0; i < w().lstDoctorMapping->count(); ++i)
            lines.push_back(w().lstDoctorMapping->item(i)->text());
        return lines;
    }

  private slots:
    void init() { setUpWizard(); }
    void cleanup() { tearDownWizard(); }

    void offeredForSeveralDoctorsAndForAFolder_data() {
        QTest::addColumn<int>("doctors");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("offered");
        QTest::newRow("a file of one doctor") << 1 << false << false;
        QTest::newRow("a file of two doctors") << 2 << false << true;
        QTest::newRow("a folder of one doctor's files") << 1 << true << true;
    }

    void offeredForSeveralDoctorsAndForAFolder() {
        QFETCH(int, doctors);
        QFETCH(bool, folder);
        QFETCH(bool, offered);
        addDatabaseDoctor("Анна", "Колева", "Колева", "111");
        start();
        std::vector<kalvex::testing::Doctor> list = {{"Анна Колева Колева", "111", 1},
                                                     {"Божидар Ников Ников", "222", 2}};
        list.resize(static_cast<std::size_t>(doctors));
        std::filesystem::create_directory(dir_->file("folder"));
        writeBytes(dir_->file("folder/r.xml"), report(list, 2018));
        toDoctorPage(kNrd2018, dir_->file("folder/r.xml"), folder ? dir_->file("folder") : "");
        waitForPage(w().tshDoctor);
        QCOMPARE(!w().ckbAllDoctors->isHidden(), offered);
        QVERIFY(!w().ckbAllDoctors->isChecked());  // off: the page as it always was
        QVERIFY(w().cbxDoctorXML->isEnabled());
        QVERIFY(w().lstDoctorMapping->isHidden());
    }

    void checkedSetsTheListsAsideAndImportsEveryDoctor() {
        addDatabaseDoctor("Анна", "Колева", "Колева", "111");
        addDatabaseDoctor("Божидар", "Ников", "Ников", "222");
        start();
        writeBytes(dir_->file("r.xml"), report({{"Анна Колева Колева", "111", 1},
                                                {"Божидар Ников Ников", "222", 2},
                                                {"Цветан Цонев Цонев", "333", 3}},
                                               2018));
        toDoctorPage(kNrd2018, dir_->file("r.xml"));
        waitForPage(w().tshDoctor);
        w().ckbAllDoctors->click();
        QVERIFY(!w().cbxDoctorXML->isEnabled());
        QVERIFY(!w().cbxDoctorGDB->isEnabled());
        const auto id = [this](const char* uin) {
            return QString::number(std::get<std::int64_t>(
                committed(std::string("SELECT ID FROM DOCTOR WHERE UIN = '") + uin + "'")));
        };
        QCOMPARE(mapping(),
                 (QStringList{"Анна Колева Колева (УИН 111) → Анна Колева Колева (ID " + id("111") +
                                  ")",
                              "Божидар Ников Ников (УИН 222) → Божидар Ников Ников (ID " +
                                  id("222") + ")",
                              "Цветан Цонев Цонев (УИН 333) → няма в базата"}));
        w().ckbAllDoctors->click();  // off again: the lists are back
        QVERIFY(w().cbxDoctorXML->isEnabled());
        QVERIFY(w().lstDoctorMapping->isHidden());
        w().ckbAllDoctors->click();

        w().btnNext->click();
        w().btnNext->click();
        waitForPage(w().tshFinishUpdate);
        QCOMPARE(examinationsOf("111"), 1);
        QCOMPARE(examinationsOf("222"), 2);
        QCOMPARE(examinationsOf("333"), 0);
        const QStringList rows = kalvex::testing::rowsOf(*w().tblSummary);
        QVERIFY2(rows.contains("Лекар Цветан Цонев Цонев, УИН 333: няма в базата, 3 "
                               "амбулаторни листа не са импортирани"),
                 qPrintable(rows.join('\n')));
        QVERIFY(rows.contains("Общо за всички лекари:"));
    }
};

QTEST_MAIN(WizardPracticeTest)
#include "wizard_practice_test.moc"
