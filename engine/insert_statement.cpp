#include "engine/insert_statement.h"

namespace kalvex::engine {

InsertStatement buildInsert(std::string_view table, const std::vector<InsertColumn>& columns) {
    InsertStatement insert;
    std::string names;
    std::string markers;
    for (const InsertColumn& c : columns) {
        if (!names.empty()) {
            names += ", ";
            markers += ", ";
        }
        names += c.column;
        markers += ':';
        markers += c.param;
        insert.params.emplace_back(c.param);
    }
    insert.sql = "INSERT INTO " + std::string(table) + " (" + names + ")\nVALUES (" + markers + ")";
    return insert;
}

void executeInsert(db::Statement& statement, const InsertStatement& insert,
                   const ColumnValues& values) {
    // The text follows the row's shape: a run for another database edition after the
    // first gets its own columns instead of the first run's.
    if (statement.sql() != insert.sql)
        statement.setSql(insert.sql);
    values.writeTo(statement, insert.params);
    statement.execute();
}

}  // namespace kalvex::engine
