#include "engine/statements/insert_statement.h"

#include "engine/run/run_context.h"

namespace kalvex::engine {

InsertStatement buildInsert(std::string_view table, const std::vector<InsertColumn>& columns) {
    InsertStatement insert;
    insert.table = std::string(table);
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

std::int32_t executeInsert(RunState& run, db::Statement& statement, const InsertStatement& insert,
                           const ColumnValues& values) {
    // The text follows the row's shape: a run for another database edition after the
    // first gets its own columns instead of the first run's.
    const std::string& sql = run.fingerprints.returning(run.dm, insert.table, insert.sql);
    // A kind whose rows come in two shapes (an immunisation with or without the
    // vaccination mark) would prepare its statement again at every change of shape: the
    // named statement keeps the first, any other gets one of its own.
    if (statement.sql().empty())
        statement.setSql(sql);
    db::Statement& target = statement.sql() == sql ? statement : run.dm.preparedFor(sql);
    if (target.sql() != sql)
        target.setSql(sql);
    values.writeTo(target, insert.params);
    target.execute();
    if (!target.fetch())
        return 0;
    const auto id = static_cast<std::int32_t>(std::get<std::int64_t>(target.column(0)));
    run.noteInsert(insert.table, id, std::get<std::int64_t>(target.column(1)));
    return id;
}

}  // namespace kalvex::engine
