#include "db/result_row.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "common/code_page.h"
#include "common/error.h"
#include "db/sql_dates.h"

namespace kalvex::db {
namespace {

std::size_t bufferSize(const XSQLVAR& var) {
    const auto length = static_cast<std::size_t>(var.sqllen);
    return (var.sqltype & ~1) == SQL_VARYING ? length + sizeof(short) : length;
}

template <typename T>
T read(const char* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

common::Variant scaled(ISC_INT64 raw, short scale) {
    if (scale == 0)
        return std::int64_t{raw};
    return static_cast<double>(raw) * std::pow(10.0, scale);
}

}  // namespace

void ResultRow::describe(isc_stmt_handle* statement) {
    db::describe(statement, sqlda_, false);
    const int columns = count();
    std::size_t units = 0;
    for (int i = 0; i < columns; ++i)
        units += (bufferSize(sqlda_->sqlvar[i]) + 7) / 8;
    buffer_.assign(units, 0);
    nullFlags_.assign(static_cast<std::size_t>(columns), 0);
    std::size_t offset = 0;
    for (int i = 0; i < columns; ++i) {
        XSQLVAR& var = sqlda_->sqlvar[i];
        var.sqldata = reinterpret_cast<char*>(buffer_.data() + offset);
        var.sqlind = &nullFlags_[static_cast<std::size_t>(i)];
        // The null indicator is read only when the odd type bit is set.
        var.sqltype = static_cast<short>(var.sqltype | 1);
        offset += (bufferSize(var) + 7) / 8;
    }
}

std::string ResultRow::name(int index) const {
    checkIndex(index);
    const XSQLVAR& var = sqlda_->sqlvar[index];
    return std::string(var.aliasname, static_cast<std::size_t>(var.aliasname_length));
}

std::optional<ISC_QUAD> ResultRow::blobId(int index) const {
    checkIndex(index);
    const XSQLVAR& var = sqlda_->sqlvar[index];
    if ((var.sqltype & ~1) != SQL_BLOB || *var.sqlind < 0)
        return std::nullopt;
    return read<ISC_QUAD>(var.sqldata);
}

void ResultRow::checkIndex(int index) const {
    if (index < 0 || index >= count())
        throw Error("Column index out of range: " + std::to_string(index));
}

common::Variant ResultRow::value(int index) const {
    checkIndex(index);
    const XSQLVAR& var = sqlda_->sqlvar[index];
    if (*var.sqlind < 0)
        return common::Null;
    const char* data = var.sqldata;
    switch (var.sqltype & ~1) {
        case SQL_TEXT:
            return common::fromCp1251(std::string_view(data, static_cast<std::size_t>(var.sqllen)));
        case SQL_VARYING:
            return common::fromCp1251(std::string_view(
                data + sizeof(short), static_cast<std::size_t>(read<short>(data))));
        case SQL_SHORT:
            return scaled(read<short>(data), var.sqlscale);
        case SQL_LONG:
            return scaled(read<ISC_LONG>(data), var.sqlscale);
        case SQL_INT64:
            return scaled(read<ISC_INT64>(data), var.sqlscale);
        case SQL_FLOAT:
            return static_cast<double>(read<float>(data));
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return read<double>(data);
        case SQL_TYPE_DATE:
            return fromSqlDate(read<ISC_DATE>(data));
        case SQL_TYPE_TIME:
            return fromSqlTime(read<ISC_TIME>(data));
        case SQL_TIMESTAMP:
            return fromSqlTimestamp(read<ISC_TIMESTAMP>(data));
        case SQL_BOOLEAN:
            return std::int64_t{read<FB_BOOLEAN>(data) != 0};
        default:
            throw Error("Column " + name(index) + " has a type that cannot be read (" +
                        std::to_string(var.sqltype & ~1) + ")");
    }
}

}  // namespace kalvex::db
