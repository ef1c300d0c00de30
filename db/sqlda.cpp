#include "db/sqlda.h"

#include <new>

#include "db/database_error.h"

namespace kalvex::db {

SqldaPtr allocateSqlda(short count) {
    const short room = count > 0 ? count : 1;
    void* memory = std::calloc(1, XSQLDA_LENGTH(room));
    if (memory == nullptr)
        throw std::bad_alloc();
    SqldaPtr sqlda(static_cast<XSQLDA*>(memory));
    sqlda->version = SQLDA_VERSION1;
    sqlda->sqln = room;
    return sqlda;
}

void describe(isc_stmt_handle* statement, SqldaPtr& sqlda, bool input) {
    const auto run = [&] {
        ISC_STATUS_ARRAY status;
        if (input)
            isc_dsql_describe_bind(status, statement, SQLDA_VERSION1, sqlda.get());
        else
            isc_dsql_describe(status, statement, SQLDA_VERSION1, sqlda.get());
        checkStatus(status);
    };
    run();
    if (sqlda->sqld > sqlda->sqln) {
        sqlda = allocateSqlda(sqlda->sqld);
        run();
    }
}

}  // namespace kalvex::db
