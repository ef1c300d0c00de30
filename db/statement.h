#pragma once

#include <ibase.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/variant.h"
#include "db/parameter_row.h"
#include "db/result_row.h"
#include "db/transaction.h"

namespace kalvex::db {

// A statement bound to one transaction, with named parameters (":EGN"). The text is
// prepared on first use and stays prepared until the text changes or the connection
// is opened anew. Setting a parameter by name sets every occurrence of the name;
// an unknown name is an error that names it.
class Statement {
  public:
    explicit Statement(Transaction& transaction) : transaction_(transaction) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // An empty text means "build and prepare on next use". Setting the text it already
    // holds keeps the preparation. Either way every parameter is null afterwards.
    void setSql(std::string sql);
    const std::string& sql() const { return sql_; }

    void prepare();
    bool isPrepared() const;

    // Every parameter back to null (a parameter left null is stored as null).
    void clearParams();
    void setNull(std::string_view name);
    void setInt32(std::string_view name, std::int32_t value) { setInt64(name, value); }
    void setInt64(std::string_view name, std::int64_t value);
    void setText(std::string_view name, std::string_view utf8);
    // The text cut to the characters its column takes: for a descriptive text, which is
    // kept as far as it fits rather than refused.
    void setTextToFit(std::string_view name, std::string_view utf8);
    void setDate(std::string_view name, common::DateTime value);
    void setTimestamp(std::string_view name, common::DateTime value);
    void setDouble(std::string_view name, double value);
    void setValue(std::string_view name, const common::Variant& value);

    // Runs the statement (preparing it first when needed). A text longer than its
    // marker takes is refused first, as ValueTooLong naming the column. A select opens its cursor
    // and fetches nothing yet; a statement that returns one row (RETURNING, EXECUTE
    // PROCEDURE) holds that row for the first fetch.
    void execute();
    // Moves to the next row; false when there is none (or the statement returns no
    // rows). A cursor whose transaction has ended is an error, not an end.
    bool fetch();
    int columnCount() const { return columns_.count(); }
    std::string columnName(int index) const { return columns_.name(index); }
    // The column of the current row; a text blob as text.
    common::Variant column(int index) const;
    // Closes the cursor of a select; a no-op when none is open.
    void close();

  private:
    enum class Kind { select, singleton, other };
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    void ensurePrepared();
    void unprepare();
    const std::vector<int>& positions(std::string_view name) const;
    template <typename Set>
    void forEachPosition(std::string_view name, Set set);

    Transaction& transaction_;
    std::string sql_;
    isc_stmt_handle handle_ = 0;
    std::uint64_t connectionGeneration_ = 0;
    Kind kind_ = Kind::other;
    ParameterRow params_;
    ResultRow columns_;
    std::unordered_map<std::string, std::vector<int>, NameHash, NameEqual> positions_;
    // What each marker writes (TABLE.COLUMN), else its name, for a value too long.
    std::vector<std::string> markerColumns_;
    bool cursorOpen_ = false;
    bool cursorAtEnd_ = false;
    std::uint64_t cursorTransaction_ = 0;
    bool singletonPending_ = false;
};

}  // namespace kalvex::db
