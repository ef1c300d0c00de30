// The wizard as a keyboard user and the eye see it: Enter, Tab and the arrows, the look
// of a disabled "Отказ", the height of the opened doctor lists, the disclaimer's lines.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QtTest>
#include <map>
#include <memory>
#include <optional>

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

// Answers OK to the disclaimer and keeps what the wizard said or asked.
class NotingDialogs final : public app::Dialogs {
  public:
    QString disclaimer;
    QStringList said;

    bool confirm(QWidget*, const std::string& text) override {
        disclaimer = QString::fromStdString(text);
        return true;
    }
    void information(QWidget*, const std::string& text) override { note("said: " + text); }
    void error(QWidget*, const std::string& text) override { note("said: " + text); }
    bool question(QWidget*, const std::string&, const std::string&) override { return false; }
    std::optional<std::string> input(QWidget*, const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> openFile(QWidget*, const std::string& title, const std::string&,
                                        const std::string&) override {
        note("asked: " + title);
        return std::nullopt;
    }
    std::optional<std::string> chooseFolder(QWidget*, const std::string& title,
                                            const std::string&) override {
        note("asked: " + title);
        return std::nullopt;
    }

  private:
    void note(const std::string& text) { said.push_back(QString::fromStdString(text)); }
};

// Pixels of the strong red that "Отказ" is drawn in while it can be pressed.
int redPixels(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 170 && c.green() < 90 && c.blue() < 90;
        }
    return count;
}

}  // namespace

class WizardKeysTest : public QObject {
    Q_OBJECT

    std::optional<kalvex::testing::TempDir> dir_;
    std::optional<kalvex::testing::PracticeDatabase> database_;
    NotingDialogs dialogs_;
    std::optional<app::Session> session_;
    int endRequests_ = 0;

    app::TfrmMain& w() { return *session_->window; }

    void start() {
        dialogs_ = NotingDialogs{};
        endRequests_ = 0;
        session_ = app::startUp(dir_->file("kalvex"), dialogs_);
        QVERIFY(session_.has_value());
        w().endProgram = [this] { ++endRequests_; };
        w().show();
        w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
    }

    void toFilePage(bool fileMode) {
        QTest::keyClick(&w(), Qt::Key_Return);
        QCOMPARE(w().pages->currentWidget(), w().tshChooseXMLandDB);
        (fileMode ? w().rbFile : w().rbFolder)->click();
    }

    // The file page's keyboard stops by the names a user knows them.
    std::map<QString, QWidget*> filePageControls() {
        return {{"rbFolder", w().rbFolder},         {"edtXMLDir", w().edtXMLDir},
                {"btnSelectDir", w().btnSelectDir}, {"rbFile", w().rbFile},
                {"edtXMLfile", w().edtXMLfile},     {"btnSelectDirUNC", w().btnSelectDirUNC},
                {"edtGDBfile", w().edtGDBfile},     {"Button1", w().Button1},
                {"cbSalvixType", w().cbSalvixType}, {"cbNRD", w().cbNRD},
                {"btnPrev", w().btnPrev},           {"btnNext", w().btnNext},
                {"btnCancel", w().btnCancel}};
    }

    QString nameOf(QWidget* widget) {
        for (const auto& [name, control] : filePageControls())
            if (control == widget)
                return name;
        return widget == nullptr ? "nothing" : widget->metaObject()->className();
    }

  private slots:
    void init() { dir_.emplace(); }

    void cleanup() {
        session_.reset();  // the connection goes before its database file
        database_.reset();
        dir_.reset();
    }

    void disclaimerLinesAreSingleLineBreaks() {
        start();
        QString expected =
            "Този софтуер е предназначен за дилъри на програма Salvix.\n\r"
            "Използването на програма Kalvex в ежедневната работа на лекарите не е "
            "препоръчителна,\n\rзащото води до загуба на информация при синхронизацията на "
            "няколко бази на Salvix, което може да доведе до грешки в XML отчета.\n\rС "
            "потвърждаването на това съобщение Вие се съгласявате да използвате програмата на "
            "своя отговорност и не можете да предявявате никакви материални или парични искове "
            "към Орвано ЕАД свързани с пропуснати ползи или глоби наложени Ви от НЗОК.\n\rОрвано "
            "ЕАД не предоставя официална поддръжка на програмата Kalvex.\n\rСигурни ли сте че "
            "искате да продължите? ";
        QCOMPARE(dialogs_.disclaimer, expected.replace("\n\r", "\n"));
    }

    void disabledCancelLooksDisabled() {
        start();
        QVERIFY(redPixels(w().btnCancel) > 0);
        w().btnCancel->setEnabled(false);
        QCOMPARE(redPixels(w().btnCancel), 0);
    }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("effect");  // what the user sees next
        const QString forward = "said: Посочената папка не съществува!\n/no/such/folder";
        QTest::newRow("< Назад") << "btnPrev"
                                 << "page: Добре дошли";
        QTest::newRow("Отказ") << "btnCancel"
                               << "end";
        QTest::newRow("Избери of the folder") << "btnSelectDir"
                                              << "asked: Изберете папка...";
        QTest::newRow("Избери of the database") << "Button1"
                                                << "asked: Отвори GDB файл...";
        QTest::newRow("Напред >") << "btnNext" << forward;
        QTest::newRow("a field") << "edtGDBfile" << forward;
        QTest::newRow("a radio button") << "rbFolder" << forward;
        QTest::newRow("a list") << "cbNRD" << forward;
    }

    void enterPressesTheFocusedButton() {
        QFETCH(QString, focus);
        QFETCH(QString, effect);
        start();
        toFilePage(false);
        w().edtXMLDir->setText("/no/such/folder");
        QWidget* control = filePageControls().at(focus);
        control->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), control);
        QTest::keyClick(control, Qt::Key_Return);
        const QString seen = endRequests_ > 0         ? QString("end")
                             : !dialogs_.said.empty() ? dialogs_.said.join(" / ")
                                                      : "page: " + w().lblStatus->text();
        QCOMPARE(seen, effect);
    }

    void eachPageOpensWithAFramedFocus_data() {
        QTest::addColumn<int>("enters");
        QTest::addColumn<QString>("focus");
        QTest::newRow("welcome") << 0 << "btnNext";
        QTest::newRow("file page") << 1 << "rbFolder";
    }

    void eachPageOpensWithAFramedFocus() {
        QFETCH(int, enters);
        QFETCH(QString, focus);
        start();
        for (int i = 0; i < enters; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(nameOf(QApplication::focusWidget()), focus);
        const auto* frame = w().findChild<QFocusFrame*>();
        QVERIFY(frame != nullptr && frame->isVisible());
        QCOMPARE(frame->widget(), QApplication::focusWidget());
        // Around the control where the window shows it, once the page is laid out.
        QWidget* control = QApplication::focusWidget();
        QTRY_VERIFY(QRect(frame->mapTo(&w(), QPoint()), frame->size())
                        .contains(QRect(control->mapTo(&w(), QPoint()), control->size())));
    }

    void tabFollowsEachRadioButtonToItsFieldAndChooser_data() {
        QTest::addColumn<bool>("fileMode");
        QTest::addColumn<QStringList>("stops");
        const QStringList database{"edtGDBfile", "Button1", "cbSalvixType", "cbNRD"};
        QTest::newRow("folder mode")
            << false << QStringList{"rbFolder", "edtXMLDir", "btnSelectDir", "rbFile"} + database;
        QTest::newRow("file mode")
            << true
            << QStringList{"rbFolder", "rbFile", "edtXMLfile", "btnSelectDirUNC"} + database;
    }

    void tabFollowsEachRadioButtonToItsFieldAndChooser() {
        QFETCH(bool, fileMode);
        QFETCH(QStringList, stops);
        start();
        toFilePage(fileMode);
        w().rbFolder->setFocus(Qt::TabFocusReason);
        QStringList seen{nameOf(QApplication::focusWidget())};
        while (seen.size() < stops.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen.push_back(nameOf(QApplication::focusWidget()));
        }
        QCOMPARE(seen, stops);
    }

    void arrowsOnTheRadioButtonsSelectThem_data() {
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("toFile");
        QTest::newRow("down from the folder") << false << int(Qt::Key_Down) << true;
        QTest::newRow("right from the folder") << false << int(Qt::Key_Right) << true;
        QTest::newRow("up from the file") << true << int(Qt::Key_Up) << false;
        QTest::newRow("left from the file") << true << int(Qt::Key_Left) << false;
        QTest::newRow("up on the folder stays") << false << int(Qt::Key_Up) << false;
    }

    void arrowsOnTheRadioButtonsSelectThem() {
        QFETCH(bool, fromFile);
        QFETCH(int, key);
        QFETCH(bool, toFile);
        start();
        toFilePage(fromFile);
        QRadioButton* from = fromFile ? w().rbFile : w().rbFolder;
        from->setFocus(Qt::TabFocusReason);
        QTest::keyClick(from, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), toFile ? w().rbFile : w().rbFolder);
        QCOMPARE(w().rbFile->isChecked(), toFile);
        QCOMPARE(w().rbFolder->isChecked(), !toFile);
        QCOMPARE(w().edtXMLfile->isEnabled(), toFile);
        QCOMPARE(w().edtXMLDir->isEnabled(), !toFile);
    }

    void openedDoctorListsShowTwentyLinesAndAScrollBar_data() {
        QTest::addColumn<QString>("style");
        for (const QString& style : QStyleFactory::keys())
            QTest::newRow(style.toUtf8()) << style;
    }

    void openedDoctorListsShowTwentyLinesAndAScrollBar() {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        const std::string& database = database_.emplace().path();
        kalvex::testing::ReportInput report;
        report.doctors.clear();
        {
            db::Tdm dm;
            db::GDBOpenDatabase(dm, database);
            for (int i = 0; i < 25; ++i) {
                const std::string uin = std::to_string(100 + i);
                dm.SqlToValue("INSERT INTO DOCTOR (FNAME, LNAME, UIN) VALUES (:F, :L, :L)",
                              {{"F", "Лекар"}, {"L", uin}});
                kalvex::testing::DoctorInput doctor;
                doctor.fullName = "Лекар " + uin;
                doctor.uin = uin;
                doctor.sheets.resize(1);
                report.doctors.push_back(doctor);
            }
            db::GDBCloseDatabase(dm);
        }
        kalvex::testing::dateWithin(2018, report);
        kalvex::testing::writeBytes(dir_->file("r.xml"), kalvex::testing::reportXml(report));
        start();
        toFilePage(true);
        w().cbNRD->setCurrentIndex(6);  // NRD 2018 lists every doctor of the file
        w().edtXMLfile->setText(QString::fromStdString(dir_->file("r.xml")));
        w().edtGDBfile->setText(QString::fromStdString(database));
        w().btnNext->click();
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);

        for (QComboBox* list : {w().cbxDoctorXML, w().cbxDoctorGDB}) {
            QCOMPARE(list->count(), 25);
            list->showPopup();
            QAbstractItemView* view = list->view();
            QTRY_VERIFY(view->isVisible());
            int shown = 0;
            for (int row = 0; row < list->count(); ++row)
                shown += view->viewport()->rect().intersects(
                    view->visualRect(list->model()->index(row, 0)));
            QVERIFY2(shown <= 20, qPrintable(QString::number(shown) + " lines"));
            QVERIFY(view->verticalScrollBar()->isVisible());
            list->hidePopup();
        }
    }
};

QTEST_MAIN(WizardKeysTest)
#include "wizard_keys_test.moc"
