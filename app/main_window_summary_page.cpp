// The summary page's list of what the import is about to do, for the user to check
// before "Напред >" starts it.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "common/folder_files.h"
#include "ereport/xml_report.h"

namespace kalvex::app {
namespace {

// "1 електронен отчет", "3 електронни отчета"
QString reportCount(std::size_t n) {
    return QString::number(n) + (n == 1 ? " електронен отчет" : " електронни отчета");
}

void addLine(QTableWidget* table, const QString& label, const QString& value) {
    const int row = table->rowCount();
    table->insertRow(row);
    for (const auto& [column, text] : {std::pair{0, label}, std::pair{1, value}}) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled);
        item->setToolTip(text);
        table->setItem(row, column, item);
    }
}

}  // namespace

QTableWidget* TfrmMain::makeRunOverview(QWidget* parent) {
    auto* table = new QTableWidget(0, 2, parent);
    table->horizontalHeader()->setVisible(false);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->setShowGrid(false);
    table->setWordWrap(true);
    table->setTextElideMode(Qt::ElideMiddle);
    return table;
}

void TfrmMain::fillRunOverview() {
    QTableWidget* table = tblRunOverview;
    table->setRowCount(0);
    const bool folder = !rbFile->isChecked();
    if (folder) {
        const std::string name = s(edtXMLDir->text());
        addLine(table, "Папка",
                q(name) + " (" + reportCount(common::GetFileNames(name).size()) + ")");
    } else {
        addLine(table, "XML файл", edtXMLfile->text());
    }
    addLine(table, "База на Salvix", edtGDBfile->text());
    addLine(table, "НРД", cbNRD->currentText());
    addLine(table, "Вид на базата", cbSalvixType->currentText());
    if (allDoctors()) {
        const QString label = folder ? "Лекари (по УИН), в първия файл" : "Лекари (по УИН)";
        for (int i = 0; i < lstDoctorMapping->count(); ++i)
            addLine(table, i == 0 ? label : "", lstDoctorMapping->item(i)->text());
    } else {
        addLine(table, "Лекар от XML",
                folder ? "първият лекар на всеки файл; в първия " + cbxDoctorXML->currentText()
                       : cbxDoctorXML->currentText());
        // NRD 2022 then takes the doctor of the e-report's UIN, or creates him.
        const bool byUin = cbImportDoctorIfNotExists->isVisibleTo(tshDoctor) &&
                           cbImportDoctorIfNotExists->isChecked() &&
                           cbNRD->currentIndex() == ereport::XmlReport::kVersionCount - 1;
        addLine(table, "Лекар в базата",
                byUin ? QString("лекарят с УИН-а от XML-а; ако го няма — нов от XML-а")
                : cbxDoctorGDB->currentIndex() < 0 ? QString("не е избран")
                                                   : cbxDoctorGDB->currentText());
    }
    addLine(table, "Пробен импорт",
            ckbDryRun->isChecked() ? "да — нищо няма да бъде записано в базата"
                                   : "не — данните ще бъдат записани в базата");
}

}  // namespace kalvex::app
