#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/variant.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/practice_database.h"

namespace kalvex::db {

// A data module opened on a fresh practice database of its own.
class DatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override { GDBOpenDatabase(dm, database.path()); }

    // A doctor row, committed or not as the caller's transaction decides.
    static void addDoctor(Tdm& into, const common::Variant& fname, const common::Variant& sname,
                          const common::Variant& lname, const common::Variant& uin,
                          const common::Variant& egn = common::Null) {
        into.SqlToValue(
            "INSERT INTO DOCTOR (FNAME, SNAME, LNAME, UIN, EGN) VALUES (:F, :S, :L, :UIN, :EGN)",
            {{"F", fname}, {"S", sname}, {"L", lname}, {"UIN", uin}, {"EGN", egn}});
    }

    static std::int64_t count(Tdm& in, const std::string& table) {
        return std::get<std::int64_t>(in.SqlToValue("SELECT COUNT(*) FROM " + table));
    }

    testing::PracticeDatabase database;
    Tdm dm;
};

}  // namespace kalvex::db
