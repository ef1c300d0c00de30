#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/variant.h"
#include "db/statement.h"

namespace kalvex::engine {

// The values of one row to insert, by parameter name, gathered before the statement is
// filled: the rules set them in their order, a later rule overriding an earlier one, and
// each NRD version's statement then takes the parameters it has.
class ColumnValues {
  public:
    void set(std::string_view column, common::Variant value);
    void setText(std::string_view column, std::string text) { set(column, std::move(text)); }
    void setInt(std::string_view column, std::int64_t value) { set(column, value); }
    void setFlag(std::string_view column, bool value);  // "Y" / "N"
    void setNull(std::string_view column) { set(column, common::Null); }
    // The value set for `column`, null when none was.
    const common::Variant& get(std::string_view column) const;

    // Clears the statement's parameters and sets those of `params` that have a value;
    // the rest stay null. A descriptive text is cut to its column's length.
    void writeTo(db::Statement& statement, const std::vector<std::string>& params) const;

  private:
    std::unordered_map<std::string, common::Variant> values_;
};

}  // namespace kalvex::engine
