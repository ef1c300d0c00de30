// The wizard's widgets: header, picture, the two tabs with the six pages, buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <string>
#include <string_view>

#include "app/artwork.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/summary_table.h"
#include "ereport/xml_report.h"

namespace kalvex::app {
namespace {

QLabel* textLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QWidget* page(const QString& caption) {
    auto* widget = new QWidget;
    widget->setWindowTitle(caption);  // the page caption, shown as the status text
    return widget;
}

// A field with its "Избери" button on one row.
QHBoxLayout* fieldRow(QLineEdit*& edit, QPushButton*& button, QWidget* parent) {
    auto* row = new QHBoxLayout;
    edit = new QLineEdit(parent);
    button = new QPushButton("Избери", parent);
    row->addWidget(edit, 1);
    row->addWidget(button);
    return row;
}

}  // namespace

void TfrmMain::buildLayout() {
    // Header: the status text and, on grey at the right, the program's name.
    auto* header = new QWidget(this);
    header->setAutoFillBackground(true);
    header->setStyleSheet("background: white;");
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(12, 6, 0, 6);
    lblStatus = new QLabel("Добре дошли", header);
    QFont statusFont = lblStatus->font();
    statusFont.setBold(true);
    statusFont.setPointSizeF(statusFont.pointSizeF() * 1.3);
    lblStatus->setFont(statusFont);
    auto* name = new QLabel("Kalvex", header);
    name->setStyleSheet("background: #c0c0c0; padding: 8px 18px; font-weight: bold;");
    headerRow->addWidget(lblStatus, 1);
    headerRow->addWidget(name);

    // The wizard pages; their own tabs are hidden, only the buttons move between them.
    pages = new QStackedWidget;

    tshWelcome = page("Добре дошли");
    {
        auto* column = new QVBoxLayout(tshWelcome);
        column->addWidget(
            textLabel("Добре дошли в програмата за импортиране на XML електронни "
                      "отчети в програмата Salvix на фирма Орвано.",
                      tshWelcome));
        column->addWidget(
            textLabel("Внимание: Преди да извършите импортирането, добре е да "
                      "спрете всички пуснати програми Salvix, за да не използва "
                      "никой базата, в която ще се импортират данните.",
                      tshWelcome));
        column->addStretch();
        btnUndoImport = new QPushButton("Отмяна на импорт…", tshWelcome);
        column->addWidget(btnUndoImport, 0, Qt::AlignLeft);
    }

    tshChooseXMLandDB = page("Избор на XML файл и база");
    {
        auto* column = new QVBoxLayout(tshChooseXMLandDB);
        rbFolder = new QRadioButton("Папка, от който да се импортират данни:", tshChooseXMLandDB);
        rbFile = new QRadioButton("XML файл, от който да се импортират данни:", tshChooseXMLandDB);
        // Both may end unchecked (the options file can say so); exclusivity is kept by hand.
        rbFolder->setAutoExclusive(false);
        rbFile->setAutoExclusive(false);
        // Buttons with a text take its width, not the row's: the focus frame and a
        // click mark the text.
        column->addWidget(rbFolder, 0, Qt::AlignLeft);
        column->addLayout(fieldRow(edtXMLDir, btnSelectDir, tshChooseXMLandDB));
        column->addWidget(rbFile, 0, Qt::AlignLeft);
        column->addLayout(fieldRow(edtXMLfile, btnSelectDirUNC, tshChooseXMLandDB));
        column->addWidget(
            new QLabel("База на Salvix, в която да се импортират данните:", tshChooseXMLandDB));
        column->addLayout(fieldRow(edtGDBfile, Button1, tshChooseXMLandDB));
        auto* choices = new QHBoxLayout;
        cbSalvixType = new QComboBox(tshChooseXMLandDB);
        cbSalvixType->addItems({"Salvix GP", "Salvix S"});
        cbNRD = new QComboBox(tshChooseXMLandDB);
        for (const std::string_view name : ereport::XmlReport::kVersionNames)
            cbNRD->addItem(q(std::string(name)));
        cbNRD->setCurrentIndex(ereport::XmlReport::kVersionCount - 1);
        choices->addWidget(cbSalvixType);
        choices->addStretch();
        choices->addWidget(new QLabel("НРД", tshChooseXMLandDB));
        choices->addWidget(cbNRD);
        column->addLayout(choices);
        column->addStretch();
    }

    tshDoctor = page("Избор на лекар");
    {
        auto* column = new QVBoxLayout(tshDoctor);
        column->addWidget(
            textLabel("От XML файла всички прегледи, направени от лекар:", tshDoctor));
        cbxDoctorXML = new QComboBox(tshDoctor);
        column->addWidget(cbxDoctorXML);
        column->addWidget(textLabel("Да се импортират в базата на името на лекар:", tshDoctor));
        cbxDoctorGDB = new QComboBox(tshDoctor);
        column->addWidget(cbxDoctorGDB);
        // Styles that open a list over the box (Fusion, macOS) ignore the cap on its
        // lines and reach the bottom of the screen; a plain list with a scroll bar
        // keeps it.
        for (QComboBox* list : {cbxDoctorXML, cbxDoctorGDB})
            list->setStyleSheet("combobox-popup: 0;");
        ckbAllDoctors = new QCheckBox("Всички лекари от XML файла (по УИН)", tshDoctor);
        column->addWidget(ckbAllDoctors, 0, Qt::AlignLeft);
        lstDoctorMapping = new QListWidget(tshDoctor);
        lstDoctorMapping->setSelectionMode(QAbstractItemView::NoSelection);
        lstDoctorMapping->setFocusPolicy(Qt::NoFocus);
        lstDoctorMapping->setVisible(false);
        column->addWidget(lstDoctorMapping, 1);
        cbImportDoctorIfNotExists =
            new QCheckBox("Импортирай лекаря от XML-а ако не е намерен в база.", tshDoctor);
        column->addWidget(cbImportDoctorIfNotExists, 0, Qt::AlignLeft);
        column->addStretch();
    }

    tshInformationGathered = page("Информацията е събрана");
    {
        auto* column = new QVBoxLayout(tshInformationGathered);
        column->addWidget(
            textLabel("Вече е събрана цялата необходима информация. Продължете, "
                      "за да стартирате самото импортиране.",
                      tshInformationGathered));
        column->addWidget(
            textLabel("Ако има някоя настройка, която искате да промените, "
                      "върнете се назад и я поправете сега.",
                      tshInformationGathered));
        tblRunOverview = makeRunOverview(tshInformationGathered);
        column->addWidget(tblRunOverview, 1);
        ckbDryRun = new QCheckBox("Пробен импорт — без запис в базата", tshInformationGathered);
        column->addWidget(ckbDryRun, 0, Qt::AlignLeft);
    }

    tshProgress = page("Прогрес на импортирането");
    {
        auto* column = new QVBoxLayout(tshProgress);
        aniProgress = new CopyAnimation(tshProgress);
        column->addWidget(aniProgress, 0, Qt::AlignHCenter);
        lblCurrentAction = textLabel("", tshProgress);
        column->addWidget(lblCurrentAction);
        ProgressBar = new QProgressBar(tshProgress);
        ProgressBar->setRange(0, 100);
        ProgressBar->setValue(0);
        column->addWidget(ProgressBar);
        lblProgress = textLabel("Брой импортирани амбулаторни листа: ? от ? общо.", tshProgress);
        column->addWidget(lblProgress);
        lblFileNo = textLabel("", tshProgress);
        column->addWidget(lblFileNo);
        column->addStretch();
    }

    tshFinishUpdate = page("Приключване на импортирането");
    {
        auto* column = new QVBoxLayout(tshFinishUpdate);
        column->addWidget(
            textLabel("Импортирането приключи успешно.\n\nСега вече можете да "
                      "стартирате Salvix. \n\nУспешна работа!",
                      tshFinishUpdate));
        column->addSpacing(8);
        lblDryRun =
            textLabel("Пробен импорт: нищо не е записано в базата на Salvix.", tshFinishUpdate);
        lblDryRun->setVisible(false);
        column->addWidget(lblDryRun);
        tblSummary = new SummaryTable(tshFinishUpdate);
        column->addWidget(tblSummary, 1);
        btnImportAgain = new QPushButton("Импортирай отново", tshFinishUpdate);
        btnImportForReal = new QPushButton("Импортирай наистина", tshFinishUpdate);
        btnUndoRun = new QPushButton("Отмени този импорт", tshFinishUpdate);
        auto* again = new QHBoxLayout;
        again->addWidget(btnImportAgain);
        again->addWidget(btnImportForReal);
        again->addWidget(btnUndoRun);
        again->addStretch();
        column->addLayout(again);
    }

    for (QWidget* p : {tshWelcome, tshChooseXMLandDB, tshDoctor, tshInformationGathered,
                       tshProgress, tshFinishUpdate})
        pages->addWidget(p);

    tshDetails = new QWidget;
    {
        auto* column = new QVBoxLayout(tshDetails);
        ckbVerbose = new QCheckBox("Включи всички подробни детайли", tshDetails);
        mmoLog = new QPlainTextEdit(tshDetails);
        mmoLog->setReadOnly(true);
        mmoLog->setLineWrapMode(QPlainTextEdit::NoWrap);
        mmoLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        mmoLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // The run's summary is logged as a table laid out in blanks.
        mmoLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        column->addWidget(ckbVerbose, 0, Qt::AlignLeft);
        column->addWidget(mmoLog, 1);
    }

    tabs = new QTabWidget;
    tabs->addTab(pages, "Импортиране");
    tabs->addTab(tshDetails, "Детайли");

    imgPicture = new QLabel;
    imgPicture->setPixmap(decorativePicture(QSize(120, 300)));
    imgPicture->setAlignment(Qt::AlignTop);

    auto* middle = new QHBoxLayout;
    middle->addWidget(imgPicture);
    middle->addWidget(tabs, 1);

    btnAbout = new QPushButton("За...");
    btnPrev = new QPushButton("< Назад");
    btnNext = new QPushButton("Напред >");
    btnCancel = new QPushButton("Отказ");
    // Red only while it can be pressed: a disabled "Отказ" must look disabled.
    btnCancel->setStyleSheet("QPushButton:enabled { color: red; }");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAbout);
    buttons->addStretch();
    buttons->addWidget(btnPrev);
    buttons->addWidget(btnNext);
    buttons->addWidget(btnCancel);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 8);
    column->addWidget(header);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    body->addLayout(middle, 1);
    body->addLayout(buttons);
    column->addLayout(body, 1);
}

}  // namespace kalvex::app
