#include "db/named_parameters.h"

#include <gtest/gtest.h>

namespace kalvex::db {
namespace {

struct Case {
    const char* sql;
    const char* positional;
    std::vector<std::string> names;
};

TEST(NamedParameters, BecomePositionalMarkers) {
    const Case cases[] = {
        {"SELECT 1 FROM RDB$DATABASE", "SELECT 1 FROM RDB$DATABASE", {}},
        {"INSERT INTO T (A, B) VALUES (:A, :b_2)",
         "INSERT INTO T (A, B) VALUES (?, ?)",
         {"A", "B_2"}},
        {"WHERE EGN = :EGN OR PAC_EGN = :egn", "WHERE EGN = ? OR PAC_EGN = ?", {"EGN", "EGN"}},
        {"VALUES (:A,:B)", "VALUES (?,?)", {"A", "B"}},
        {"WHERE A = ? AND B = :B", "WHERE A = ? AND B = ?", {"", "B"}},
        {"WHERE NAME = 'a:b' AND X = :X", "WHERE NAME = 'a:b' AND X = ?", {"X"}},
        {"WHERE NAME = 'O''Neil :N' AND X = :X", "WHERE NAME = 'O''Neil :N' AND X = ?", {"X"}},
        {"SELECT \"A:B\" FROM T WHERE X = :X", "SELECT \"A:B\" FROM T WHERE X = ?", {"X"}},
        {"SELECT 1 -- :NOT\nFROM T WHERE X = :X", "SELECT 1 -- :NOT\nFROM T WHERE X = ?", {"X"}},
        {"SELECT /* :NOT */ 1 FROM T WHERE X=:X", "SELECT /* :NOT */ 1 FROM T WHERE X=?", {"X"}},
        {"WHERE X = '?'", "WHERE X = '?'", {}},
        {"WHERE X = 'unterminated :A", "WHERE X = 'unterminated :A", {}},
        {"WHERE X = :1 AND T = '10:30'", "WHERE X = :1 AND T = '10:30'", {}},
    };
    for (const Case& c : cases) {
        const PositionalSql result = toPositional(c.sql);
        EXPECT_EQ(result.sql, c.positional) << c.sql;
        EXPECT_EQ(result.names, c.names) << c.sql;
    }
}

}  // namespace
}  // namespace kalvex::db
