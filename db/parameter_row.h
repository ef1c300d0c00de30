#pragma once

#include <ibase.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/variant.h"
#include "db/sqlda.h"

namespace kalvex::db {

// The input values of a prepared statement, by position. Each value is bound in the
// type it has and the engine converts it to the type the marker was prepared with,
// which for "TEXT_COLUMN = ?" is the column's text type: a number bound there
// compares as text ("05" does not match 5). A look-up that must match as a number
// pasted into the text would ("000412" finds 412) writes CAST(? AS BIGINT).
// The buffers live as long as the statement; setting a value allocates only when a
// text is longer than any text that position held before.
class ParameterRow {
  public:
    // Takes the statement's input variables; every value starts as null.
    void describe(isc_stmt_handle* statement);
    int count() const { return static_cast<int>(slots_.size()); }
    XSQLDA* sqlda() { return sqlda_.get(); }

    // Every value back to null.
    void clear();
    void setNull(int index);
    void setInt64(int index, std::int64_t value);
    void setDouble(int index, double value);
    // `cp1251` is already in the database's code page.
    void setRawText(int index, std::string_view cp1251);
    void setDate(int index, common::DateTime value);
    void setTimestamp(int index, common::DateTime value);
    // A DateTime binds as a date when the parameter is a date, else as a timestamp;
    // a text is converted from UTF-8 to code page 1251.
    void set(int index, const common::Variant& value);

    // The first text value longer than the text its marker was prepared for (a column's
    // length), -1 when none is; the engine would refuse such a value with a bare
    // "string right truncation".
    int firstTooLong() const;
    // The value of a text position as bound, in the database's code page, and the
    // length its marker takes.
    const std::string& text(int index) const { return slots_.at(static_cast<std::size_t>(index)).text; }
    // The characters a text marker takes (its column's length); -1 for another marker.
    int textRoom(int index) const;
    int describedLength(int index) const {
        return slots_.at(static_cast<std::size_t>(index)).describedLength;
    }

  private:
    struct Slot {
        short describedType = 0;
        short describedLength = 0;
        short isNull = -1;
        alignas(8) unsigned char fixed[8] = {};  // a number, a date or a timestamp
        std::string text;
    };
    static_assert(sizeof(ISC_TIMESTAMP) <= 8 && sizeof(double) <= 8);
    void bind(int index, short sqlType, short length, void* data);

    SqldaPtr sqlda_ = allocateSqlda(0);
    std::vector<Slot> slots_;
};

}  // namespace kalvex::db
