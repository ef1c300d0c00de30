#include "engine/journal/row_fingerprint.h"

#include <vector>

#include "db/dry_run.h"

namespace kalvex::engine {
namespace {

constexpr int kBlob = 261;  // RDB$FIELD_TYPE of a blob

}  // namespace

const std::string& RowFingerprints::expression(db::Tdm& dm, const std::string& table) {
    if (const auto found = expressions_.find(table); found != expressions_.end())
        return found->second;
    std::vector<std::string> hashes;
    db::Statement& columns = dm.GetResultSet(
        "SELECT TRIM(rf.RDB$FIELD_NAME), f.RDB$FIELD_TYPE FROM RDB$RELATION_FIELDS rf JOIN "
        "RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE WHERE rf.RDB$RELATION_NAME = "
        ":T ORDER BY rf.RDB$FIELD_POSITION",
        {{"T", table}});
    for (bool row = dm.hasRow(); row; row = columns.fetch()) {
        if (std::get<std::int64_t>(columns.column(1)) == kBlob)
            continue;
        const std::string name = std::get<std::string>(columns.column(0));
        // The column's name goes into its hash, so that two columns swapping their
        // values still change the row's fingerprint.
        // Concatenation renders every type as text, at the column's own width; a null
        // column makes it null, and so the name alone with "~" stands for it.
        hashes.push_back("HASH(COALESCE('" + name + "=' || " + db::quotedIdentifier(name) + ", '" + name +
                         "~'))");
    }
    // A table with no columns is one the database lacks: the insert says so itself.
    if (hashes.empty())
        return missing_ = "0";
    std::string expression = hashes.front();
    if (hashes.size() > 1) {
        expression = "BIN_XOR(";
        for (std::size_t i = 0; i < hashes.size(); ++i)
            expression += (i == 0 ? "" : ", ") + hashes[i];
        expression += ")";
    }
    return expressions_[table] = std::move(expression);
}

const std::string& RowFingerprints::returning(db::Tdm& dm, const std::string& table,
                                              const std::string& insertSql) {
    if (const auto found = inserts_.find(insertSql); found != inserts_.end())
        return found->second;
    const std::string& fingerprint = expression(dm, table);
    return inserts_[insertSql] = insertSql + "\nRETURNING ID, " + fingerprint;
}

}  // namespace kalvex::engine
