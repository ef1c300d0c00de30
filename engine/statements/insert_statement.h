#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/statement.h"
#include "engine/statements/column_values.h"

namespace kalvex::engine {

class RunState;

// One column of an insert and the parameter that fills it (mostly of the same name).
struct InsertColumn {
    std::string_view column;
    std::string_view param;
    InsertColumn(const char* name) : column(name), param(name) {}  // NOLINT: a plain name
    InsertColumn(const char* column, const char* param) : column(column), param(param) {}
};

// An insert as the importers build it on first use: its table, its text and its
// parameter names.
struct InsertStatement {
    std::string table;
    std::string sql;
    std::vector<std::string> params;
};

// "INSERT INTO <table> (A, B)" and "VALUES (:A, :B)" on two lines.
InsertStatement buildInsert(std::string_view table, const std::vector<InsertColumn>& columns);

// Gives `statement` the insert's text unless it holds it already (prepared once, kept
// for the next row), fills it from `values` and executes it. The insert returns the new
// row's ID and fingerprint, and the run's journal notes the row. The new row's ID.
std::int32_t executeInsert(RunState& run, db::Statement& statement, const InsertStatement& insert,
                           const ColumnValues& values);

}  // namespace kalvex::engine
