#pragma once

#include <cstdint>

#include "engine/statements/column_values.h"
#include "engine/run/run_context.h"

// What a specialist's database ("Salvix S") records on an examination beyond the general
// columns, and the hand-over of a written examination to the attachment importers.
namespace kalvex::engine {

// The specialist columns' defaults, before the sheet's own rules.
template <class V>
void setSpecialistDefaults(RunContext<V>& run, ColumnValues& row);

// Where the patient came from: the referral or the primary examination, the kind of
// visit and the referral type. `examType` is the sheet's "ExamType", 0 when not a number.
template <class V>
void applyVisitRules(RunContext<V>& run, ColumnValues& row, std::int32_t examType);

// The catalogue ID and rehabilitation count of the procedure at `position` (1 to 4),
// and after the last one the end of a rehabilitation.
template <class V, class Procedure>
void applyProcedureRules(RunContext<V>& run, ColumnValues& row, int position,
                         const Procedure& procedure);
template <class V>
void applyRehabilitationEnd(RunContext<V>& run, ColumnValues& row, std::int32_t examType);

// Calls the attachment importers of `CurrentAmbList` in the version's order, each
// under its condition, for the examination `CurrentPregledID`.
template <class V>
void dispatchAttachments(RunContext<V>& run);

}  // namespace kalvex::engine
