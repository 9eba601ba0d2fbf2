#pragma once
// One full read of a query's rowset as the engine reads it: DbReadRecord to the first record
// and then to each next one until 500, and DbReadVariantColumnValue for every bound field of
// every record. Returns the records read; a failing export raises DriverFailure.

#include <cstdint>

#include "driverSession.h"

uint64_t ReadThroughDriver(const DriverSession& session, const ExecutedQuery& query);
