#pragma once

#include "db/database_error.h"

namespace kalvex::engine {

// Whether an insert's `failure` means that its row is in the database already: a
// duplicate key whose row `rowIsVisible` (a look-up by that key) finds. A duplicate
// whose row the look-up cannot see is held by another program's uncommitted row; it is
// thrown as that program's conflict, which stops the run. False for any other failure.
template <class LookUp>
bool alreadyThere(const db::DatabaseError& failure, LookUp rowIsVisible) {
    if (!db::isDuplicateKey(failure.what()))
        return false;
    if (!rowIsVisible())
        throw db::heldByAnotherTransaction(failure);
    return true;
}

}  // namespace kalvex::engine
