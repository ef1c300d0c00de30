#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "db/statement.h"
#include "engine/statements/column_values.h"
#include "engine/run/import_counts.h"
#include "engine/statements/insert_statement.h"
#include "engine/run/run_context.h"

// What every importer of a sheet's documents shares: one row written through its named
// statement, a row already in the database logged and passed over, and the look-ups of
// codes the e-report gives as numbers.
namespace kalvex::engine {

// Writes one attachment row through `statement` (its text set from `insert` when it holds
// another, prepared once). A duplicate key logs `duplicateLine` and counts the row as
// existing; any other error passes on. The new row's ID when `insert` returns it (0 for a
// duplicate), or nothing when the row was there already.
std::optional<std::int32_t> insertAttachment(RunState& run, db::Statement& statement,
                                             const InsertStatement& insert,
                                             const ColumnValues& values,
                                             const std::string& duplicateLine, RowKind kind);

// SPECIALITY.ID of the first speciality whose code is the number `code` stands for
// ("05" and "5" are one code), 0 when there is none or `code` is no number. Only
// effective specialities when `effectiveOnly`.
std::int32_t specialityIdByCode(RunState& run, std::string_view code, bool effectiveOnly);

}  // namespace kalvex::engine
