#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "common/code_page.h"
#include "common/variant.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "firebird_server.h"
#include "support/practice_database.h"

namespace kalvex::testing {

// A fresh practice database served by a Firebird server of the test suite's own, reached
// by the name a user would type ("localhost/PORT:/path/practice.fdb"). Skipped, with
// the reason, where no server can run.
class ServerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // As the programs do: the client converts a server's file name through the C
        // library's character set, which must be able to hold a Cyrillic path.
        common::useUtf8CharacterSet();
        server_ = new FirebirdServer;
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        if (!server_->running())
            GTEST_SKIP() << server_->skipReason();
        // Made through the embedded engine before the server ever opens the file, as a
        // database file copied onto a server would be.
        database_ = std::make_unique<PracticeDatabase>();
        name_ = server_->databaseName(database_->path());
    }

    const FirebirdServer& server() const { return *server_; }
    const std::string& databaseName() const { return name_; }
    const std::string& databasePath() const { return database_->path(); }

    // Runs `sql` through a connection of its own and commits, as another workstation.
    common::Variant value(const std::string& sql, const db::Params& params = {}) {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, name_);
        common::Variant result = dm.SqlToValue(sql, params);
        db::GDBCloseDatabase(dm);
        return result;
    }
    std::int64_t count(const std::string& tableAndCondition, const db::Params& params = {}) {
        return std::get<std::int64_t>(value("SELECT COUNT(*) FROM " + tableAndCondition, params));
    }

  private:
    static inline FirebirdServer* server_ = nullptr;
    std::unique_ptr<PracticeDatabase> database_;
    std::string name_;
};

}  // namespace kalvex::testing
