#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "db/gdb_mediator.h"
#include "db/tdm.h"

// Every row of every table of a practice database, byte for byte as text, read through
// a connection of its own: what taking a run back must give back exactly. The journal's
// own tables are left out.
namespace kalvex::testing {

using TableContents = std::map<std::string, std::vector<std::string>>;

inline std::string cellText(const common::Variant& value) {
    struct Text {
        std::string operator()(std::monostate) const { return "NULL"; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.17g", v);
            return buffer;
        }
        std::string operator()(const std::string& v) const { return "'" + v + "'"; }
        std::string operator()(common::DateTime v) const { return operator()(v.value); }
    };
    return std::visit(Text{}, value);
}

inline TableContents tableContents(const std::string& database) {
    db::Tdm dm;
    db::GDBOpenDatabase(dm, database);
    std::vector<std::string> tables;
    db::Statement& names = dm.GetResultSet(
        "SELECT TRIM(TRAILING FROM RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE "
        "COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL AND RDB$RELATION_NAME NOT "
        "STARTING WITH 'KALVEX_' ORDER BY 1");
    for (bool row = dm.hasRow(); row; row = names.fetch())
        tables.push_back(std::get<std::string>(names.column(0)));
    TableContents contents;
    for (const std::string& table : tables) {
        db::Statement rows(dm.traMain);
        rows.setSql("SELECT * FROM \"" + table + "\" ORDER BY 1");
        rows.execute();
        std::vector<std::string>& lines = contents[table];
        while (rows.fetch()) {
            std::string line;
            for (int i = 0; i < rows.columnCount(); ++i)
                line += (i == 0 ? "" : "|") + cellText(rows.column(i));
            lines.push_back(line);
        }
        rows.close();
    }
    db::GDBCloseDatabase(dm);
    return contents;
}

}  // namespace kalvex::testing
