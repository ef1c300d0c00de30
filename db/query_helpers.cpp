// The query helpers of the data module: one value, one row or a result set.
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/error.h"
#include "common/formats.h"
#include "common/numbers.h"
#include "db/tdm.h"

namespace kalvex::db {

std::string variantText(const common::Variant& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const {
            char buffer[32];
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
            return std::string(buffer, end);
        }
        std::string operator()(const std::string& v) const { return v; }
        std::string operator()(common::DateTime v) const { return common::DateTimeToStr(v); }
    };
    return std::visit(Visitor{}, value);
}

std::int32_t variantInt32(const common::Variant& value) {
    const auto overflow = [&value] { return Error("Integer overflow: " + variantText(value)); };
    std::int64_t number = 0;
    if (const auto* whole = std::get_if<std::int64_t>(&value)) {
        number = *whole;
    } else if (const auto* real = std::get_if<double>(&value)) {
        // Checked before the conversion: a double beyond 64 bits (or NaN) has no
        // defined integer, and the message must name the value that was read.
        const double rounded = std::round(*real);
        if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
              rounded <= std::numeric_limits<std::int32_t>::max()))
            throw overflow();
        number = static_cast<std::int64_t>(rounded);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        number = common::StrToInt(*text);
    } else {
        throw Error("Could not convert variant of type (Date) into type (Integer)");
    }
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        throw overflow();
    return static_cast<std::int32_t>(number);
}

namespace {

// Data statements and savepoints, which no schema change in the same run can leave
// stale: the texts worth keeping prepared.
bool keepsPreparation(const std::string& sql) {
    std::size_t start = 0;
    while (start < sql.size() && std::isspace(static_cast<unsigned char>(sql[start])))
        ++start;
    std::size_t end = start;
    while (end < sql.size() && std::isalpha(static_cast<unsigned char>(sql[end])))
        ++end;
    std::string word = sql.substr(start, end - start);
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* kept : {"SELECT", "INSERT", "UPDATE", "DELETE", "SAVEPOINT", "RELEASE"})
        if (word == kept)
            return true;
    return false;
}

}  // namespace

Statement& Tdm::statementFor(const std::string& sql) {
    if (!keepsPreparation(sql))
        return sqlGeneric;
    Prepared& found = prepared_[sql];
    found.lastUse = ++uses_;
    if (found.statement)
        return *found.statement;
    if (prepared_.size() > kPreparedLimit) {
        auto oldest = prepared_.begin();
        for (auto i = prepared_.begin(); i != prepared_.end(); ++i)
            if (i->second.lastUse < oldest->second.lastUse)
                oldest = i;
        prepared_.erase(oldest);  // never the new entry, used last; `found` stays valid
    }
    found.statement = std::make_unique<Statement>(traMain);
    return *found.statement;
}

void Tdm::run(Statement& statement, const std::string& sql, const Params& params) {
    statement.close();
    statement.setSql(sql);
    statement.clearParams();
    for (const Param& param : params)
        statement.setValue(param.name, param.value);
    statement.execute();
}

Statement& Tdm::GetResultSet(const std::string& sql, const Params& params) {
    hasRow_ = false;
    run(qryGeneric, sql, params);
    hasRow_ = qryGeneric.fetch();
    return qryGeneric;
}

common::Variant Tdm::SqlToValue(const std::string& sql, const Params& params) {
    if (!traMain.isActive())
        traMain.start();
    Statement& statement = statementFor(sql);
    run(statement, sql, params);
    common::Variant value;
    if (statement.columnCount() > 0 && statement.fetch())
        value = statement.column(0);
    statement.close();
    return value;
}

std::vector<common::Variant> Tdm::SqlToRow(const std::string& sql, const Params& params) {
    if (!traMain.isActive())
        traMain.start();
    Statement& statement = statementFor(sql);
    run(statement, sql, params);
    std::vector<common::Variant> row(static_cast<std::size_t>(statement.columnCount()));
    if (statement.columnCount() > 0 && statement.fetch())
        for (int i = 0; i < statement.columnCount(); ++i)
            row[static_cast<std::size_t>(i)] = statement.column(i);
    statement.close();
    return row;
}

bool Tdm::ReadSqlValue(const std::string& sql, std::string& value, const Params& params) {
    const common::Variant result = SqlToValue(sql, params);
    value = variantText(result);
    return !common::isNull(result);
}

bool Tdm::ReadSqlValue(const std::string& sql, std::int32_t& value, const Params& params) {
    const common::Variant result = SqlToValue(sql, params);
    value = common::isNull(result) ? 0 : variantInt32(result);
    return !common::isNull(result);
}

std::vector<common::Variant> Tdm::ReadSqlValues(const std::string& sql, const Params& params) {
    run(ibsqlCommand, sql, params);
    std::vector<common::Variant> values(static_cast<std::size_t>(ibsqlCommand.columnCount()));
    if (ibsqlCommand.fetch())
        for (int i = 0; i < ibsqlCommand.columnCount(); ++i)
            values[static_cast<std::size_t>(i)] = ibsqlCommand.column(i);
    return values;
}

}  // namespace kalvex::db
