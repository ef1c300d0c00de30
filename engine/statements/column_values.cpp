#include "engine/statements/column_values.h"

#include "common/conversions.h"
#include "engine/statements/descriptive_columns.h"

namespace kalvex::engine {

void ColumnValues::set(std::string_view column, common::Variant value) {
    values_.insert_or_assign(std::string(column), std::move(value));
}

void ColumnValues::setFlag(std::string_view column, bool value) {
    set(column, common::BOOL2STR(value));
}

const common::Variant& ColumnValues::get(std::string_view column) const {
    const auto found = values_.find(std::string(column));
    return found == values_.end() ? common::Null : found->second;
}

void ColumnValues::writeTo(db::Statement& statement, const std::vector<std::string>& params) const {
    statement.clearParams();
    for (const std::string& param : params) {
        const common::Variant& value = get(param);
        if (const auto* text = std::get_if<std::string>(&value);
            text != nullptr && isDescriptiveColumn(param))
            statement.setTextToFit(param, *text);
        else if (!common::isNull(value))
            statement.setValue(param, value);
    }
}

}  // namespace kalvex::engine
