#include "db/dry_run.h"

#include <variant>

namespace kalvex::db {

std::string quotedIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

GeneratorValues takeGenerators(Tdm& dm) {
    GeneratorValues generators;
    Statement& names = dm.GetResultSet(
        "SELECT TRIM(TRAILING FROM RDB$GENERATOR_NAME) FROM RDB$GENERATORS "
        "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY RDB$GENERATOR_NAME");
    for (bool row = dm.hasRow(); row; row = names.fetch())
        generators.push_back({std::get<std::string>(names.column(0)), 0});
    for (GeneratorValue& g : generators)
        g.value = std::get<std::int64_t>(
            dm.SqlToValue("SELECT GEN_ID(" + quotedIdentifier(g.name) + ", 0) FROM RDB$DATABASE"));
    return generators;
}

void rollbackRun(Tdm& dm, const GeneratorValues& generators) {
    if (dm.traMain.isActive())
        dm.traMain.rollback();
    // SET GENERATOR takes no parameter; the value is the database's own number.
    for (const GeneratorValue& g : generators)
        dm.SqlToValue("SET GENERATOR " + quotedIdentifier(g.name) + " TO " + std::to_string(g.value));
    if (dm.traMain.isActive())
        dm.traMain.commit();
    dm.dbMain.close();
}

}  // namespace kalvex::db
