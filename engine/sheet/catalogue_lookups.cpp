#include "engine/sheet/catalogue_lookups.h"

#include <cstring>

namespace kalvex::engine {
namespace {

// A value as a key's part: its kind, then its bytes, so that the number 5 and the text
// "5" stay two keys, as they are two bindings.
void appendValue(std::string& key, const common::Variant& value) {
    key += static_cast<char>('0' + value.index());
    const auto bytes = [&key](const auto& v) {
        char raw[sizeof v];
        std::memcpy(raw, &v, sizeof v);
        key.append(raw, sizeof raw);
    };
    if (const auto* text = std::get_if<std::string>(&value)) {
        key += std::to_string(text->size()) + ':';
        key += *text;
    } else if (const auto* whole = std::get_if<std::int64_t>(&value)) {
        bytes(*whole);
    } else if (const auto* real = std::get_if<double>(&value)) {
        bytes(*real);
    } else if (const auto* when = std::get_if<common::DateTime>(&value)) {
        bytes(when->value);
    }
}

// `shape` tells a first column from a whole row of the same statement.
std::string keyOf(char shape, const std::string& sql, const db::Params& params) {
    std::string key(1, shape);
    key += sql;
    for (const db::Param& param : params) {
        key += '\0';
        key += param.name;
        key += '=';
        appendValue(key, param.value);
    }
    return key;
}

}  // namespace

template <class Read>
const std::vector<common::Variant>& CatalogueLookups::answer(char shape, const std::string& sql,
                                                             const db::Params& params, Read read) {
    if (!remembering_)
        return fresh_ = read();
    std::string key = keyOf(shape, sql, params);
    if (const auto found = answers_.find(key); found != answers_.end())
        return found->second;
    return answers_.emplace(std::move(key), read()).first->second;
}

common::Variant CatalogueLookups::SqlToValue(const std::string& sql, const db::Params& params) {
    return answer('1', sql, params, [&] {
        return std::vector<common::Variant>{dm_.SqlToValue(sql, params)};
    }).front();
}

bool CatalogueLookups::ReadSqlValue(const std::string& sql, std::string& value,
                                    const db::Params& params) {
    const common::Variant result = SqlToValue(sql, params);
    value = db::variantText(result);
    return !common::isNull(result);
}

bool CatalogueLookups::ReadSqlValue(const std::string& sql, std::int32_t& value,
                                    const db::Params& params) {
    const common::Variant result = SqlToValue(sql, params);
    value = common::isNull(result) ? 0 : db::variantInt32(result);
    return !common::isNull(result);
}

std::vector<common::Variant> CatalogueLookups::ReadSqlValues(const std::string& sql,
                                                             const db::Params& params) {
    return answer('n', sql, params, [&] { return dm_.ReadSqlValues(sql, params); });
}

}  // namespace kalvex::engine
