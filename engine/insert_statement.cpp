#include "engine/insert_statement.h"

namespace kalvex::engine {

InsertStatement buildInsert(std::string_view table, const std::vector<InsertColumn>& columns,
                            bool returnsId) {
    InsertStatement insert;
    insert.returnsId = returnsId;
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
    if (returnsId)
        insert.sql += "\nRETURNING ID";
    return insert;
}

std::int32_t executeInsert(db::Statement& statement, const InsertStatement& insert,
                           const ColumnValues& values) {
    // The text follows the row's shape: a run for another database edition after the
    // first gets its own columns instead of the first run's.
    if (statement.sql() != insert.sql)
        statement.setSql(insert.sql);
    values.writeTo(statement, insert.params);
    statement.execute();
    if (!insert.returnsId || !statement.fetch())
        return 0;
    return static_cast<std::int32_t>(std::get<std::int64_t>(statement.column(0)));
}

}  // namespace kalvex::engine
