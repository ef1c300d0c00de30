// The doctor page's choice of a whole practice: every XML doctor under the database
// doctor of his UIN, the two lists then not used.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <algorithm>
#include <string>

#include "app/data_module.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "engine/run/practice_import.h"

namespace kalvex::app {
namespace {

// "Мария Иванова Петрова (УИН 0400000001) → Мария Иванова Петрова (ID 3)"
std::string mappingLine(const engine::PracticeDoctor& doctor,
                        const std::vector<db::GdbDoctor>& database) {
    std::string line = doctor.name + " (УИН " + doctor.uin + ") → ";
    const auto found = std::find_if(database.begin(), database.end(), [&](const auto& entry) {
        return entry.id == doctor.databaseDoctorId;
    });
    if (doctor.databaseDoctorId == 0 || found == database.end())
        return line + "няма в базата";
    return line + found->text + " (ID " + std::to_string(found->id) + ")";
}

}  // namespace

void TfrmMain::offerAllDoctors() {
    ckbAllDoctors->setChecked(false);
    ckbAllDoctors->setVisible(XML_UINS.size() > 1 || rbFolder->isChecked());
    ckbAllDoctorsClick(false);
}

void TfrmMain::ckbAllDoctorsClick(bool checked) {
    cbxDoctorXML->setEnabled(!checked);
    cbxDoctorGDB->setEnabled(!checked);
    lstDoctorMapping->clear();
    lstDoctorMapping->setVisible(checked);
    if (!checked)
        return;
    // The doctors of the file loaded last: in folder mode its first file; the others
    // are matched the same way as their turn comes.
    for (const engine::PracticeDoctor& doctor :
         engine::practiceDoctors(dm_.database, dm_.xml, cbNRD->currentIndex()))
        lstDoctorMapping->addItem(q(mappingLine(doctor, GDB_UINS)));
}

bool TfrmMain::allDoctors() const {
    return ckbAllDoctors->isVisibleTo(tshDoctor) && ckbAllDoctors->isChecked();
}

}  // namespace kalvex::app
