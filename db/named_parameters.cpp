#include "db/named_parameters.h"

#include <cctype>

namespace kalvex::db {
namespace {

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool isNamePart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

// Index just past the quoted text, identifier or comment that starts at `i`, or `i`
// when none starts there. A doubled quote inside quoted text is an escaped quote and
// simply ends one quoted run and starts the next.
std::size_t skipInert(std::string_view sql, std::size_t i) {
    const char c = sql[i];
    std::string_view end;
    if (c == '\'' || c == '"')
        end = sql.substr(i, 1);
    else if (sql.substr(i, 2) == "--")
        end = "\n";
    else if (sql.substr(i, 2) == "/*")
        end = "*/";
    else
        return i;
    const std::size_t found = sql.find(end, i + (c == '\'' || c == '"' ? 1 : 2));
    return found == std::string_view::npos ? sql.size() : found + end.size();
}

}  // namespace

PositionalSql toPositional(std::string_view sql) {
    PositionalSql result;
    result.sql.reserve(sql.size());
    std::size_t i = 0;
    while (i < sql.size()) {
        const std::size_t inertEnd = skipInert(sql, i);
        if (inertEnd != i) {
            result.sql.append(sql.substr(i, inertEnd - i));
            i = inertEnd;
            continue;
        }
        const char c = sql[i];
        if (c == '?') {
            result.names.emplace_back();
        } else if (c == ':' && i + 1 < sql.size() && isNameStart(sql[i + 1])) {
            std::size_t end = i + 1;
            while (end < sql.size() && isNamePart(sql[end]))
                ++end;
            std::string name(sql.substr(i + 1, end - i - 1));
            for (char& ch : name)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            result.names.push_back(std::move(name));
            result.sql.push_back('?');
            i = end;
            continue;
        }
        result.sql.push_back(c);
        ++i;
    }
    return result;
}

}  // namespace kalvex::db
