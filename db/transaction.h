#pragma once

#include <ibase.h>

#include <cstdint>

#include "db/connection.h"

namespace kalvex::db {

// The one transaction of the program: read committed, reading the latest committed
// version of a row, failing at once on a lock conflict instead of waiting, write.
class Transaction {
  public:
    explicit Transaction(Connection& connection) : connection_(connection) {}
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void start();
    void commit();
    // Makes the work so far durable and keeps the transaction (and its cursors) open.
    void commitRetaining();
    void rollback();
    bool isActive() const { return handle_ != 0; }

    Connection& connection() { return connection_; }
    // Throws "Transaction is not active" when it is not.
    isc_tr_handle* handle();
    // Changes whenever the transaction ends; cursors opened before are closed.
    std::uint64_t generation() const { return generation_; }

  private:
    void end(ISC_STATUS (*how)(ISC_STATUS*, isc_tr_handle*));

    Connection& connection_;
    isc_tr_handle handle_ = 0;
    std::uint64_t generation_ = 0;
};

}  // namespace kalvex::db
