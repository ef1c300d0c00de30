#pragma once

#include "engine/statements/insert_statement.h"

namespace kalvex::engine {

// The examination insert of NRD `year` for a "Salvix GP" or a "Salvix S" database.
const InsertStatement& sheetInsert(int year, bool specialist);

// How many procedures the version's examination row has room for.
constexpr int procedureColumns(int year) {
    return year <= 2006 ? 3 : 4;
}
inline constexpr int kDiagnosisColumns = 4;

}  // namespace kalvex::engine
