#include "db/transaction.h"

#include "common/error.h"
#include "db/database_error.h"

namespace kalvex::db {
namespace {

const char kTransactionParameters[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                       isc_tpb_rec_version, isc_tpb_nowait};

}  // namespace

Transaction::~Transaction() {
    if (!isActive())
        return;
    // An owner that wants the work kept commits before it lets go; a transaction
    // abandoned here is rolled back, and a failure has no one left to tell.
    ISC_STATUS_ARRAY status;
    isc_rollback_transaction(status, &handle_);
}

void Transaction::start() {
    if (isActive())
        throw Error("Transaction is already active");
    ISC_STATUS_ARRAY status;
    isc_start_transaction(status, &handle_, 1, connection_.handle(),
                          static_cast<unsigned short>(sizeof kTransactionParameters),
                          kTransactionParameters);
    if (status[0] == 1 && status[1] != 0) {
        handle_ = 0;
        checkStatus(status);
    }
}

void Transaction::commit() {
    end(isc_commit_transaction);
}

void Transaction::rollback() {
    end(isc_rollback_transaction);
}

void Transaction::commitRetaining() {
    ISC_STATUS_ARRAY status;
    isc_commit_retaining(status, handle());
    checkStatus(status);
}

isc_tr_handle* Transaction::handle() {
    if (!isActive())
        throw Error("Transaction is not active");
    return &handle_;
}

void Transaction::end(ISC_STATUS (*how)(ISC_STATUS*, isc_tr_handle*)) {
    ISC_STATUS_ARRAY status;
    how(status, handle());
    checkStatus(status);
    handle_ = 0;
    ++generation_;
}

}  // namespace kalvex::db
