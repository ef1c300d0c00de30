#pragma once

#include <ibase.h>

#include <cstdint>
#include <string>

namespace kalvex::db {

// One attachment to a practice database with the fixed login of the practice
// product: user "SALVIX", SQL dialect 3 and no connection character set, so text
// travels as the database's code page 1251 bytes.
class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The database name exactly as the user gave it: a plain file path opens
    // through the embedded engine, "host:path" through the network.
    const std::string& databaseName() const { return databaseName_; }
    void setDatabaseName(std::string name);

    // No-op when already open.
    void open();
    // Fails while a transaction of this connection is still active.
    void close();
    bool isOpen() const { return handle_ != 0; }

    isc_db_handle* handle() { return &handle_; }
    // Changes with every open; statements prepared under an earlier one are stale.
    std::uint64_t generation() const { return generation_; }

  private:
    std::string databaseName_;
    isc_db_handle handle_ = 0;
    std::uint64_t generation_ = 0;
};

}  // namespace kalvex::db
