#pragma once

#include <string>

#include "support/temp_dir.h"

namespace kalvex::testing {

// A Firebird 3 server of the test's own: /usr/sbin/firebird run as a child on a free
// local port, with a root folder, lock folder and security database in a temporary
// folder, stopped when the object goes. Where no server can run here, `skipReason()`
// says why and nothing runs.
class FirebirdServer {
  public:
    FirebirdServer();
    ~FirebirdServer();
    FirebirdServer(const FirebirdServer&) = delete;
    FirebirdServer& operator=(const FirebirdServer&) = delete;

    bool running() const { return pid_ > 0; }
    const std::string& skipReason() const { return skipReason_; }
    int port() const { return port_; }
    // The name a user types for the database file `path` on this server.
    std::string databaseName(const std::string& path) const;

  private:
    std::string start();
    void stop();

    TempDir dir_;
    int port_ = 0;
    int pid_ = 0;
    std::string skipReason_;
};

}  // namespace kalvex::testing
