// The file page's "Напред >": load the e-report, open the database, preselect a doctor.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/file_page_messages.h"
#include "app/main_window.h"
#include "app/options.h"
#include "app/qt_text.h"
#include "app/wait_cursor.h"
#include "common/doctor_names.h"
#include "common/error.h"
#include "common/folder_files.h"
#include "db/gdb_mediator.h"

namespace kalvex::app {
namespace {

// Fills a doctor list with its entries' texts, each carrying `data`, and leaves it
// without a selection; the opened list shows every entry, up to twenty lines.
template <class Entry, class Data>
void fillDoctorList(QComboBox* list, const std::vector<Entry>& entries, Data Entry::*data) {
    list->clear();
    for (const Entry& entry : entries)
        list->addItem(q(entry.text), entry.*data);
    list->setMaxVisibleItems(std::min(list->count(), 20));
    list->setCurrentIndex(-1);
}

}  // namespace

void TfrmMain::leaveFilePage() {
    const std::string file = s(edtXMLfile->text());
    const std::string folder = s(edtXMLDir->text());
    // In folder mode the folder is what the user named: its absence is told as such,
    // never as a missing file nor by loading the file field's old file. Told before
    // anything is loaded: the user has to come back to the field anyway.
    if (!rbFile->isChecked() && !common::pathExists(folder, true)) {
        dialogs_.information(this, missingFolderMessage(folder));
        return;
    }
    if (!common::pathExists(file, false) && !common::pathExists(folder, true)) {
        dialogs_.information(this, "Посоченият файл не съществува!");
        return;
    }
    if (rbFile->isChecked() && file.empty()) {
        dialogs_.information(this, kNoXmlFileGiven);
        return;
    }
    if (edtGDBfile->text().isEmpty()) {
        dialogs_.information(this, kNoDatabaseGiven);
        return;
    }
    const std::string shownName = rbFile->isChecked() ? "" : firstFolderFile();
    const std::string xmlFile = rbFile->isChecked() ? file : common::joinPath(folder, shownName);
    loadXml(xmlFile);
    if (!settleFileVersion(xmlFile, shownName))
        return;
    if (cbxDoctorXML->count() == 0) {
        dialogs_.information(this, "В посоченият XML файл няма данни за нито 1 лекар!");
        btnNext->setEnabled(false);
    } else {
        cbxDoctorXML->setCurrentIndex(0);
    }

    {
        const WaitCursor busy;
        openPracticeDatabase(dm_.database, s(edtGDBfile->text()));
    }
    GDB_UINS = db::GDBFillDoctorNames(dm_.database);
    fillDoctorList(cbxDoctorGDB, GDB_UINS, &db::GdbDoctor::id);
    cbImportDoctorIfNotExists->setVisible(true);
    preselectDatabaseDoctorByName();
    offerAllDoctors();

    SaveOptionsToFile(dm_.OptionsFileName(), currentOptions());
    showPage(tshDoctor);
}

std::string TfrmMain::firstFolderFile() const {
    const std::vector<std::string> names = common::GetFileNames(s(edtXMLDir->text()));
    if (names.empty())
        throw Error("В посочената папка няма XML файлове!");
    return names.front();
}

void TfrmMain::loadXml(const std::string& fileName) {
    loadXml(fileName, cbNRD->currentIndex());
}

void TfrmMain::loadXml(const std::string& fileName, int nrdIndex) {
    const WaitCursor busy;
    std::vector<ereport::XmlDoctorItem> doctors;
    try {
        // The one long step that writes no log line: the window answers between its blocks.
        doctors = dm_.xml.XMLLoadFile(nrdIndex, fileName, &TfrmMain::letWindowAnswer);
    } catch (const ereport::ReportFormatError&) {
        throw;  // already says what is wrong in the user's words
    } catch (const Error& e) {
        throw Error(xmlLoadMessage(fileName, e.what()));
    }
    // NRD "2003" binds nothing and leaves the list as it was.
    if (nrdIndex == 0)
        return;
    XML_UINS = std::move(doctors);
    fillDoctorList(cbxDoctorXML, XML_UINS, &ereport::XmlDoctorItem::position);
}

void TfrmMain::preselectDatabaseDoctorByName() {
    const int match = cbxDoctorXML->count() == 0
                          ? -1
                          : cbxDoctorGDB->findText(
                                q(common::databaseNameOfXmlEntry(s(cbxDoctorXML->itemText(0)))),
                                Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match >= 0) {
        cbxDoctorGDB->setCurrentIndex(match);
        cbImportDoctorIfNotExists->setVisible(false);
    } else if (cbxDoctorGDB->count() == 0) {
        dialogs_.information(this, "В посочената база няма данни за нито 1 лекар!");
    } else {
        cbxDoctorGDB->setCurrentIndex(0);
    }
}

void TfrmMain::cbxDoctorXMLChange(int index) {
    const int position = cbxDoctorXML->itemData(index).toInt();
    const auto xml = std::find_if(XML_UINS.begin(), XML_UINS.end(),
                                  [&](const auto& entry) { return entry.position == position; });
    if (xml == XML_UINS.end())
        return;
    const auto database = std::find_if(GDB_UINS.begin(), GDB_UINS.end(),
                                       [&](const auto& entry) { return entry.uin == xml->UIN; });
    if (database == GDB_UINS.end())
        return;
    const int item = cbxDoctorGDB->findData(database->id);
    if (item >= 0)
        cbxDoctorGDB->setCurrentIndex(item);
}

}  // namespace kalvex::app
