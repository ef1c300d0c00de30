// What every importer does through the run: the log, and the journal of its rows.
#include <utility>

#include "common/characters.h"
#include "common/logger.h"
#include "engine/run/run_context.h"
#include "engine/journal/run_journal.h"

namespace kalvex::engine {

void RunState::log(const std::string& message) const {
    if (common::AppLogger != nullptr)
        common::AppLogger->LogEntry(common::oneLine(message));
}

void RunState::noteInsert(const std::string& table, std::int32_t id, std::int64_t fingerprint) {
    journal.push_back(insertLine(table, id, fingerprint));
}

void RunState::updateColumn(const std::string& table, const std::string& column, std::int32_t id,
                            const common::Variant& value) {
    // As text both times, in the database's own rendering, so that taking the change
    // back can compare and restore exactly; the update itself returns both (no row of
    // that ID: two nulls, as reading it would give).
    const auto asText = [&column](const char* version) {
        return "CAST(" + std::string(version) + "." + column + " AS VARCHAR(1000))";
    };
    const std::vector<common::Variant> change =
        dm.SqlToRow("UPDATE " + table + " SET " + column + " = :V WHERE ID = :ID RETURNING " +
                        asText("OLD") + ", " + asText("NEW"),
                    {{"V", value}, {"ID", std::int64_t{id}}});
    journal.push_back(updateLine(table, id, column, change.at(0), change.at(1)));
}

void RunState::keepWork() {
    ledger.join(std::exchange(counts, {}), std::exchange(journal, {}));
}

}  // namespace kalvex::engine
