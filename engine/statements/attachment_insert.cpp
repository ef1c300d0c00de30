#include "engine/statements/attachment_insert.h"

#include "common/numbers.h"
#include "db/database_error.h"
#include "engine/sheet/sheet_number.h"

namespace kalvex::engine {

std::optional<std::int32_t> insertAttachment(RunState& run, db::Statement& statement,
                                             const InsertStatement& insert,
                                             const ColumnValues& values,
                                             const std::string& duplicateLine, RowKind kind) {
    try {
        const std::int32_t id = executeInsert(run, statement, insert, values);
        ++run.counts[kind].written;
        return id;
    } catch (const db::DatabaseError& e) {
        // Every key of a document's table holds the examination (or referral) that this
        // run's transaction has just written, which no other program can see: a
        // duplicate is a row of this transaction, there already.
        if (!db::isDuplicateKey(e.what()))
            throw;
        run.log(duplicateLine);
        ++run.counts[kind].existing;
        return std::nullopt;
    }
}

std::int32_t specialityIdByCode(RunState& run, std::string_view code, bool effectiveOnly) {
    // Only a number is a code here: an empty text must not find "00" with its zeros gone.
    const auto number = common::parseInteger(code);
    if (!number)
        return 0;
    std::int32_t id = 0;
    run.catalogues.ReadSqlValue(std::string("SELECT FIRST(1) ID FROM SPECIALITY WHERE ") +
                            (effectiveOnly ? "EFFECTIVE = 'Y' AND " : "") +
                            sameNumber("CODE", "CODE") + " ORDER BY ID",
                        id, {{"CODE", std::to_string(*number)}});
    return id;
}

}  // namespace kalvex::engine
