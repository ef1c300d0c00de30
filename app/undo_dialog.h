#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "common/logger.h"
#include "db/tdm.h"
#include "engine/journal/run_history.h"

class QPushButton;
class QTableWidget;

namespace kalvex::app {

class Dialogs;

// "Отмяна на импорт": the journaled runs of an open database, newest first, and
// "Отмени" to take the selected one back. Enter presses the focused button, on the
// list "Отмени"; Escape closes.
class UndoDialog final : public QDialog {
  public:
    UndoDialog(db::Tdm& dm, Dialogs& dialogs, common::TLogger& log, QWidget* parent = nullptr);

    QTableWidget* tblRuns = nullptr;
    QPushButton *btnUndo = nullptr, *btnClose = nullptr;

  private:
    // Reads the runs again, keeping run `selected` selected (the newest when it has gone).
    void refresh(std::int32_t selected);
    void btnUndoClick();
    void selectionChange();
    // The run of the selected row, 0 when none is selected.
    std::int32_t selectedRun() const;

    db::Tdm& dm_;
    Dialogs& dialogs_;
    common::TLogger& log_;
    std::vector<engine::RunRecord> runs_;  // row for row
};

}  // namespace kalvex::app
