#include "db/parameter_columns.h"

#include <cctype>
#include <cstddef>

namespace kalvex::db {
namespace {

// A word (an identifier, a keyword or a literal) or a single character of punctuation;
// quoted texts and comments are words that hold no marker.
struct Token {
    std::string text;  // words in upper case
    bool word = false;
};

std::vector<Token> tokens(std::string_view sql) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            ++i;
        } else if (c == '\'' || c == '"') {
            const std::size_t end = sql.find(c, i + 1);
            i = end == std::string_view::npos ? sql.size() : end + 1;
            out.push_back({"''", true});
        } else if (sql.substr(i, 2) == "--") {
            const std::size_t end = sql.find('\n', i);
            i = end == std::string_view::npos ? sql.size() : end;
        } else if (sql.substr(i, 2) == "/*") {
            const std::size_t end = sql.find("*/", i + 2);
            i = end == std::string_view::npos ? sql.size() : end + 2;
        } else if (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$') {
            Token word{"", true};
            for (; i < sql.size(); ++i) {
                const char w = sql[i];
                if (std::isalnum(static_cast<unsigned char>(w)) == 0 && w != '_' && w != '$' &&
                    w != '.')
                    break;
                word.text += static_cast<char>(std::toupper(static_cast<unsigned char>(w)));
            }
            out.push_back(std::move(word));
        } else {
            out.push_back({std::string(1, c), false});
            ++i;
        }
    }
    return out;
}

bool is(const std::vector<Token>& t, std::size_t i, std::string_view text) {
    return i < t.size() && t[i].text == text;
}

// The column part of "ALIAS.COLUMN".
std::string columnName(const std::string& word) {
    const std::size_t dot = word.rfind('.');
    return dot == std::string::npos ? word : word.substr(dot + 1);
}

// Labels every marker from token `i` on with `column` until the item ends: a comma or
// a closing parenthesis at depth 0, or `stop` (a keyword) at depth 0. Returns the index
// of the token that ended it.
std::size_t labelItem(const std::vector<Token>& t, std::size_t i, const std::string& column,
                      std::vector<std::string>& labels, std::string_view stop = {}) {
    int depth = 0;
    for (; i < t.size(); ++i) {
        if (depth == 0 && (is(t, i, ",") || is(t, i, ")") || (!stop.empty() && is(t, i, stop))))
            return i;
        if (is(t, i, "("))
            ++depth;
        else if (is(t, i, ")"))
            --depth;
        else if (is(t, i, "?"))
            labels.push_back(column);
    }
    return i;
}

void labelInsert(const std::vector<Token>& t, std::vector<std::string>& labels) {
    // INSERT INTO table (columns) VALUES (items)
    const std::string table = t[2].text;
    std::vector<std::string> columns;
    std::size_t i = 3;
    if (!is(t, i, "("))
        return;
    for (++i; i < t.size() && !is(t, i, ")"); ++i)
        if (t[i].word)
            columns.push_back(table + "." + columnName(t[i].text));
    if (!is(t, ++i, "VALUES") || !is(t, ++i, "("))
        return;
    ++i;
    for (std::size_t item = 0; i < t.size() && !is(t, i, ")"); ++item) {
        i = labelItem(t, i, item < columns.size() ? columns[item] : std::string(), labels);
        if (is(t, i, ","))
            ++i;
    }
}

void labelUpdate(const std::vector<Token>& t, std::vector<std::string>& labels) {
    // UPDATE table [alias] SET column = expression, ... [WHERE ...]
    const std::string table = t[1].text;
    std::size_t i = 2;
    while (i < t.size() && !is(t, i, "SET"))
        ++i;
    for (++i; i + 1 < t.size() && t[i].word && is(t, i + 1, "=");) {
        i = labelItem(t, i + 2, table + "." + columnName(t[i].text), labels, "WHERE");
        if (!is(t, i, ","))
            break;
        ++i;
    }
}

}  // namespace

std::vector<std::string> parameterColumns(std::string_view positionalSql) {
    const std::vector<Token> t = tokens(positionalSql);
    std::vector<std::string> labels;
    if (is(t, 0, "INSERT") && is(t, 1, "INTO") && t.size() > 2)
        labelInsert(t, labels);
    else if (is(t, 0, "UPDATE") && t.size() > 1)
        labelUpdate(t, labels);
    // Markers past the labelled part (a condition, RETURNING) name no column.
    std::size_t markers = 0;
    for (const Token& token : t)
        markers += token.text == "?" ? 1 : 0;
    labels.resize(markers);
    return labels;
}

}  // namespace kalvex::db
