#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/statement.h"
#include "engine/column_values.h"

namespace kalvex::engine {

// One column of an insert and the parameter that fills it (mostly of the same name).
struct InsertColumn {
    std::string_view column;
    std::string_view param;
    InsertColumn(const char* name) : column(name), param(name) {}  // NOLINT: a plain name
    InsertColumn(const char* column, const char* param) : column(column), param(param) {}
};

// An insert as the importers build it on first use: its text and its parameter names.
struct InsertStatement {
    std::string sql;
    std::vector<std::string> params;
    bool returnsId = false;
};

// "INSERT INTO <table> (A, B)" and "VALUES (:A, :B)" on two lines; with `returnsId`
// followed by "RETURNING ID", so that the new row's key comes back with the insert.
InsertStatement buildInsert(std::string_view table, const std::vector<InsertColumn>& columns,
                            bool returnsId = false);

// Gives `statement` the insert's text unless it holds it already (prepared once, kept
// for the next row), fills it from `values` and executes it. The new row's ID when the
// insert returns it, otherwise 0.
std::int32_t executeInsert(db::Statement& statement, const InsertStatement& insert,
                           const ColumnValues& values);

}  // namespace kalvex::engine
