#pragma once

#include <ibase.h>

#include "common/date_time.h"

// The client counts days from 17 November 1858 and time in ten-thousandths of a
// second; the program counts days from 30 December 1899 with the time as a fraction.
namespace kalvex::db {

ISC_DATE toSqlDate(common::DateTime value);
ISC_TIME toSqlTime(common::DateTime value);
ISC_TIMESTAMP toSqlTimestamp(common::DateTime value);

common::DateTime fromSqlDate(ISC_DATE date);
common::DateTime fromSqlTime(ISC_TIME time);
common::DateTime fromSqlTimestamp(const ISC_TIMESTAMP& timestamp);

}  // namespace kalvex::db
