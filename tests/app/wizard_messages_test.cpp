// What the user is told on the file page for the common mistakes, and that the
// dialogs the wizard opens speak Bulgarian.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/qt_dialogs.h"
#include "app/qt_translation.h"
#include "app/startup.h"
#include "support/recording_dialogs.h"
#include "support/report_builder.h"
#include "support/temp_dir.h"

using namespace kalvex;

namespace {

// What a modal dialog showed before it was closed unanswered.
struct Shown {
    QStringList texts;  // of its buttons and labels
    QStringList filters;
    QString selectedFilter;
};

Shown showAndClose(const std::function<void()>& open) {
    Shown shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        poll.stop();
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            shown.texts << button->text();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            shown.texts << label->text();
        if (const auto* files = qobject_cast<QFileDialog*>(dialog)) {
            shown.filters = files->nameFilters();
            shown.selectedFilter = files->selectedNameFilter();
        }
        dialog->reject();
    });
    poll.start();
    open();
    return shown;
}

bool bulgarianQtTextsInstalled() {
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_bg.qm");
}

}  // namespace

class WizardMessagesTest : public QObject {
    Q_OBJECT

    bool translated_ = false;

  private slots:
    void initTestCase() { translated_ = app::installQtTranslation(*QCoreApplication::instance()); }

    void translationIsInstalledWhenPresent() {
        if (!bulgarianQtTextsInstalled())
            QSKIP("qtbase_bg.qm is not installed");
        QVERIFY(translated_);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Отказ"));
    }

    // "{dir}" stands for the test's folder, which holds a sound e-report "r.xml", a
    // broken one "broken.xml" (its error on line 3) and a folder "reports".
    void filePageMistakes_data() {
        QTest::addColumn<bool>("folderMode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("technical");  // a part of the second line; empty: none

        QTest::newRow("empty database field")
            << false << "{dir}/r.xml"
            << ""
            << ""
            << "info: Не е посочена база на Salvix, в която да се импортират данните!"
            << "";
        QTest::newRow("database that does not exist") << false << "{dir}/r.xml"
                                                      << ""
                                                      << "{dir}/none.gdb"
                                                      << "error: Посочената база не съществува!"
                                                      << "{dir}/none.gdb";
        QTest::newRow("malformed XML names file and line")
            << false << "{dir}/broken.xml"
            << ""
            << "{dir}/none.gdb"
            << "error: Грешка в XML файла „{dir}/broken.xml“ на ред 3!"
            << "{dir}/broken.xml:3:";
        QTest::newRow("empty XML file field") << false << ""
                                              << "{dir}/reports"
                                              << "{dir}/none.gdb"
                                              << "info: Не е посочен XML файл за импортиране!"
                                              << "";
        // The folder exists, so the missing file passes the first check.
        QTest::newRow("XML file that cannot be read")
            << false << "{dir}/none.xml"
            << "{dir}/reports"
            << "{dir}/none.gdb"
            << "error: XML файлът „{dir}/none.xml“ не може да бъде прочетен!"
            << "No such file or directory";
        // The file field's old file exists, but the user asked for a folder.
        QTest::newRow("folder that does not exist") << true << "{dir}/r.xml"
                                                    << "{dir}/gone"
                                                    << "{dir}/none.gdb"
                                                    << "info: Посочената папка не съществува!"
                                                    << "{dir}/gone";
    }

    void filePageMistakes() {
        QFETCH(bool, folderMode);
        QFETCH(QString, file);
        QFETCH(QString, folder);
        QFETCH(QString, database);
        QFETCH(QString, firstLine);
        QFETCH(QString, technical);
        const kalvex::testing::TempDir dir;
        const QString root = QString::fromStdString(dir.path().string());
        kalvex::testing::writeBytes(dir.file("r.xml"),
                                    kalvex::testing::reportXml(kalvex::testing::ReportInput{}));
        kalvex::testing::writeBytes(dir.file("broken.xml"), "<Practice>\n<Doctor>\n</Practice>\n");
        std::filesystem::create_directory(dir.file("reports"));
        const auto at = [&](QString text) { return text.replace("{dir}", root); };

        testing::RecordingDialogs dialogs;
        std::optional<app::Session> session = app::startUp(dir.file("kalvex"), dialogs);
        QVERIFY(session.has_value());
        app::TfrmMain& w = *session->window;
        w.endProgram = [] {};
        w.btnNext->click();
        (folderMode ? w.rbFolder : w.rbFile)->click();
        w.edtXMLfile->setText(at(file));
        w.edtXMLDir->setText(at(folder));
        w.edtGDBfile->setText(at(database));
        w.btnNext->click();

        QCOMPARE(dialogs.said.size(), 1);
        const QStringList lines = dialogs.said[0].split('\n');
        QCOMPARE(lines[0], at(firstLine));
        if (technical.isEmpty())
            QCOMPARE(lines.size(), 1);
        else
            QVERIFY2(lines.size() > 1 && lines.mid(1).join('\n').contains(at(technical)),
                     qPrintable(dialogs.said[0]));
        QCOMPARE(w.pages->currentWidget(), w.tshChooseXMLandDB);
    }

    void fileChooserOffersDatabasesUnderBothExtensions() {
        app::QtDialogs dialogs;
        const Shown shown = showAndClose([&] {
            QVERIFY(!dialogs.openFile(nullptr, "Отвори GDB файл...", "",
                                      "Бази на Salvix (*.gdb *.fdb)"));
        });
        QCOMPARE(shown.filters,
                 (QStringList{"XML Files (*.xml)", "GDB Files (*.gdb)", "FDB Files (*.fdb)",
                              "Бази на Salvix (*.gdb *.fdb)", "Всички файлове (*)"}));
        QCOMPARE(shown.selectedFilter, QString("Бази на Salvix (*.gdb *.fdb)"));
    }

    // The box about an e-report of another NRD version: Enter answers No.
    void enterAnswersNoWhereGoingOnIsRisky() {
        app::QtDialogs dialogs;
        QTimer poll;
        poll.setInterval(10);
        bool noWasDefault = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            poll.stop();
            noWasDefault = box->defaultButton() == box->button(QMessageBox::No);
            QTest::keyClick(box, Qt::Key_Return);
        });
        poll.start();
        QVERIFY(!dialogs.questionNoByDefault(nullptr, "Версия на НРД", "Да се импортира ли?"));
        QVERIFY(noWasDefault);
    }

    // Texts that Qt itself puts into the boxes and dialogs the wizard opens.
    void dialogsSpeakBulgarian_data() {
        QTest::addColumn<std::function<void(app::Dialogs&)>>("open");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("open file") << std::function<void(app::Dialogs&)>([](app::Dialogs& d) {
            d.openFile(nullptr, "Отвори XML файл...", "", "XML Files (*.xml)");
        }) << QStringList{"Преглед на:", "Файлове от тип:", "&Отваряне", "Отказ"};
        QTest::newRow("folder") << std::function<void(app::Dialogs&)>([](app::Dialogs& d) {
            d.chooseFolder(nullptr, "Изберете папка...", "");
        }) << QStringList{"Папка:", "Из&биране", "Отказ"};
        QTest::newRow("message box")
            << std::function<void(app::Dialogs&)>([](app::Dialogs& d) { d.error(nullptr, "x"); })
            << QStringList{"Добре"};
        QTest::newRow("question") << std::function<void(app::Dialogs&)>([](app::Dialogs& d) {
            d.question(nullptr, "x", "y");
        }) << QStringList{"&Да", "&Не"};
        QTest::newRow("input box") << std::function<void(app::Dialogs&)>([](app::Dialogs& d) {
            d.input(nullptr, "x", "y", "");
        }) << QStringList{"Добре", "Отказ"};
    }

    void dialogsSpeakBulgarian() {
        if (!translated_)
            QSKIP("qtbase_bg.qm is not installed");
        QFETCH(std::function<void(app::Dialogs&)>, open);
        QFETCH(QStringList, texts);
        app::QtDialogs dialogs;
        const Shown shown = showAndClose([&] { open(dialogs); });
        for (const QString& text : texts)
            QVERIFY2(shown.texts.contains(text), qPrintable(shown.texts.join(" | ")));
    }
};

QTEST_MAIN(WizardMessagesTest)
#include "wizard_messages_test.moc"
