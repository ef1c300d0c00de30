#include "db/blob_reader.h"

#include "db/database_error.h"

namespace kalvex::db {

std::string readBlob(isc_db_handle* database, isc_tr_handle* transaction, ISC_QUAD id) {
    ISC_STATUS_ARRAY status;
    isc_blob_handle blob = 0;
    isc_open_blob2(status, database, transaction, &blob, &id, 0, nullptr);
    checkStatus(status);
    std::string content;
    char segment[8192];
    for (;;) {
        unsigned short length = 0;
        const ISC_STATUS result = isc_get_segment(status, &blob, &length, sizeof segment, segment);
        if (result != 0 && result != isc_segment)
            break;
        content.append(segment, length);
    }
    // End of the blob is the one failure that is not one.
    const bool failed = status[1] != isc_segstr_eof;
    ISC_STATUS_ARRAY closeStatus;
    isc_close_blob(closeStatus, &blob);
    if (failed)
        checkStatus(status);
    checkStatus(closeStatus);
    return content;
}

}  // namespace kalvex::db
