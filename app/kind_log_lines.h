#pragma once

#include <QStringList>

#include "engine/run/import_counts.h"

namespace kalvex::app {

// The lines of a run's log that tell why rows of `kind` were skipped or failed.
QStringList kindLogLines(const QStringList& runLines, engine::RowKind kind);

}  // namespace kalvex::app
