#include "db/parameter_row.h"

#include <cstring>
#include <limits>

#include "common/code_page.h"
#include "common/error.h"
#include "db/sql_dates.h"

namespace kalvex::db {

void ParameterRow::describe(isc_stmt_handle* statement) {
    db::describe(statement, sqlda_, true);
    slots_.assign(static_cast<std::size_t>(sqlda_->sqld), Slot{});
    for (int i = 0; i < count(); ++i) {
        slots_[i].describedType = static_cast<short>(sqlda_->sqlvar[i].sqltype & ~1);
        slots_[i].describedLength = sqlda_->sqlvar[i].sqllen;
    }
    clear();
}

void ParameterRow::clear() {
    for (int i = 0; i < count(); ++i)
        setNull(i);
}

void ParameterRow::bind(int index, short sqlType, short length, void* data) {
    Slot& slot = slots_.at(static_cast<std::size_t>(index));
    XSQLVAR& var = sqlda_->sqlvar[index];
    // The odd type bit tells the client to read the null indicator.
    var.sqltype = static_cast<short>(sqlType | 1);
    var.sqllen = length;
    var.sqlscale = 0;
    var.sqlsubtype = 0;
    var.sqldata = static_cast<char*>(data);
    var.sqlind = &slot.isNull;
    slot.isNull = 0;
}

void ParameterRow::setNull(int index) {
    Slot& slot = slots_.at(static_cast<std::size_t>(index));
    bind(index, SQL_TEXT, 0, slot.fixed);
    slot.isNull = -1;
}

void ParameterRow::setInt64(int index, std::int64_t value) {
    Slot& slot = slots_.at(static_cast<std::size_t>(index));
    std::memcpy(slot.fixed, &value, sizeof value);
    bind(index, SQL_INT64, sizeof(ISC_INT64), slot.fixed);
}

void ParameterRow::setDouble(int index, double value) {
    Slot& slot = slots_.at(static_cast<std::size_t>(index));
    std::memcpy(slot.fixed, &value, sizeof value);
    bind(index, SQL_DOUBLE, sizeof(double), slot.fixed);
}

void ParameterRow::setRawText(int index, std::string_view cp1251) {
    if (cp1251.size() > static_cast<std::size_t>(std::numeric_limits<short>::max()))
        throw Error("Text parameter longer than 32767 bytes");
    Slot& slot = slots_.at(static_cast<std::size_t>(index));
    slot.text.assign(cp1251);
    bind(index, SQL_TEXT, static_cast<short>(slot.text.size()), slot.text.data());
}

int ParameterRow::textRoom(int index) const {
    const Slot& slot = slots_.at(static_cast<std::size_t>(index));
    const bool textMarker = slot.describedType == SQL_TEXT || slot.describedType == SQL_VARYING;
    return textMarker ? slot.describedLength : -1;
}

int ParameterRow::firstTooLong() const {
    for (int i = 0; i < count(); ++i) {
        const Slot& slot = slots_[static_cast<std::size_t>(i)];
        const bool textMarker =
            slot.describedType == SQL_TEXT || slot.describedType == SQL_VARYING;
        // A bound text is the only value whose length the marker limits; the connection
        // names no character set, so its bytes are its characters.
        if (textMarker && slot.isNull == 0 && sqlda_->sqlvar[i].sqldata == slot.text.data() &&
            slot.text.size() > static_cast<std::size_t>(slot.describedLength))
            return i;
    }
    return -1;
}

void ParameterRow::setDate(int index, common::DateTime value) {
    Slot& slot = slots_.at(static_cast<std::size_t>(index));
    const ISC_DATE date = toSqlDate(value);
    std::memcpy(slot.fixed, &date, sizeof date);
    bind(index, SQL_TYPE_DATE, sizeof date, slot.fixed);
}

void ParameterRow::setTimestamp(int index, common::DateTime value) {
    Slot& slot = slots_.at(static_cast<std::size_t>(index));
    const ISC_TIMESTAMP timestamp = toSqlTimestamp(value);
    std::memcpy(slot.fixed, &timestamp, sizeof timestamp);
    bind(index, SQL_TIMESTAMP, sizeof timestamp, slot.fixed);
}

void ParameterRow::set(int index, const common::Variant& value) {
    struct Setter {
        ParameterRow& row;
        int index;
        void operator()(std::monostate) const { row.setNull(index); }
        void operator()(std::int64_t v) const { row.setInt64(index, v); }
        void operator()(double v) const { row.setDouble(index, v); }
        void operator()(const std::string& v) const { row.setRawText(index, common::toCp1251(v)); }
        void operator()(common::DateTime v) const {
            if (row.slots_.at(static_cast<std::size_t>(index)).describedType == SQL_TYPE_DATE)
                row.setDate(index, v);
            else
                row.setTimestamp(index, v);
        }
    };
    std::visit(Setter{*this, index}, value);
}

}  // namespace kalvex::db
