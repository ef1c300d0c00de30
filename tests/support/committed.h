#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/variant.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"

namespace kalvex::testing {

// What is committed, read through a connection opened for the purpose, as the next
// program would see it.
class Committed {
  public:
    explicit Committed(const std::string& database) { db::GDBOpenDatabase(dm_, database); }
    ~Committed() { db::GDBCloseDatabase(dm_); }
    Committed(const Committed&) = delete;
    Committed& operator=(const Committed&) = delete;

    common::Variant value(const std::string& sql, const db::Params& params = {}) {
        return dm_.SqlToValue(sql, params);
    }
    std::int64_t count(const std::string& tableAndCondition, const db::Params& params = {}) {
        return std::get<std::int64_t>(value("SELECT COUNT(*) FROM " + tableAndCondition, params));
    }

    // A select of its own, executed: fetch() its rows.
    db::Statement& statement(const std::string& sql) {
        select_ = std::make_unique<db::Statement>(dm_.traMain);
        select_->setSql(sql);
        select_->execute();
        return *select_;
    }

  private:
    db::Tdm dm_;
    std::unique_ptr<db::Statement> select_;
};

}  // namespace kalvex::testing
