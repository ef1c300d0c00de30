#pragma once

#include <cstdint>

#include "common/logger.h"
#include "db/tdm.h"

class QWidget;

namespace kalvex::app {

class Dialogs;

// The caption of the boxes that take a run back, and of the list of runs.
extern const char* const kUndoCaption;

// Asks whether run `run` of the database open in `dm` is to be taken back, telling
// what that would remove, and on Yes takes it back and tells the outcome; a refusal
// or a fault is shown as an error. The log gets what was done. `dm` is left with a
// transaction started, as the wizard keeps its open database. True when the run was
// taken back, wholly or in part.
bool askAndUndoRun(QWidget* parent, Dialogs& dialogs, common::TLogger& log, db::Tdm& dm,
                   std::int32_t run);

}  // namespace kalvex::app
