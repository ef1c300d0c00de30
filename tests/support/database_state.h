#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "db/dry_run.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"

// What a run could change in a practice database: the rows of every table and every
// generator's value, read through a connection of its own as the next program would.
namespace kalvex::testing {

struct DatabaseState {
    std::vector<std::pair<std::string, std::int64_t>> rows;  // table, row count
    db::GeneratorValues generators;
    bool operator==(const DatabaseState&) const = default;

    // The practice's own tables and generators: every real run also adds to the journal.
    DatabaseState withoutJournal() const {
        DatabaseState practice;
        for (const auto& row : rows)
            if (row.first.rfind("KALVEX_", 0) != 0)
                practice.rows.push_back(row);
        for (const db::GeneratorValue& g : generators)
            if (g.name.rfind("GEN_KALVEX_", 0) != 0)
                practice.generators.push_back(g);
        return practice;
    }
};

inline DatabaseState databaseState(const std::string& database) {
    db::Tdm dm;
    db::GDBOpenDatabase(dm, database);
    DatabaseState state;
    std::vector<std::string> tables;
    db::Statement& names = dm.GetResultSet(
        "SELECT TRIM(TRAILING FROM RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE "
        "COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL ORDER BY 1");
    for (bool row = dm.hasRow(); row; row = names.fetch())
        tables.push_back(std::get<std::string>(names.column(0)));
    for (const std::string& table : tables)
        state.rows.emplace_back(
            table, std::get<std::int64_t>(dm.SqlToValue("SELECT COUNT(*) FROM \"" + table + "\"")));
    state.generators = db::takeGenerators(dm);
    db::GDBCloseDatabase(dm);
    return state;
}

}  // namespace kalvex::testing
