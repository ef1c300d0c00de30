#pragma once

#include <ibase.h>

#include <string>

namespace kalvex::db {

// The whole content of a blob, as the bytes the database holds.
std::string readBlob(isc_db_handle* database, isc_tr_handle* transaction, ISC_QUAD id);

}  // namespace kalvex::db
