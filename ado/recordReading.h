#pragma once
// Reading an open rowset: moving to a record, then taking each bound column's value as the
// VARIANT that ADO delivers. This is the report's inner loop: in recordset mode nothing here
// allocates, compares texts or reads the registry once the first row has been passed; record
// mode looks every value up by name in the row's record.

#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <cstdint>

#include "ado/errorInfo.h"
#include "ado/fieldBinding.h"
#include "ado/openrowseth.h"

enum DbReadMode : int32_t {
    DbReadFirst = 1,
    DbReadNext = 2,
    DbReadPrevious = 3,
    DbReadLast = 4,
    DbReadBookmark = 5,
};

// The engine's read request; the driver reads only the positioned flag.
struct DbReadRequest {
    uint32_t fieldAt0;
    uint16_t positioned;  // first record: read the row the rowset stands on instead of moving
};
static_assert(offsetof(DbReadRequest, positioned) == 4, "DbReadRequest layout");

int32_t ReadRecord(DbOpenRowsetHandle& rowset, int32_t mode, const DbBookmark* bookmark,
                   const DbReadRequest& request, DbErrorInfo** errorInfo);

// value receives what ADO delivers; the engine owns and clears it.
int32_t ReadVariantColumnValue(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, VARIANT& value,
                               DbErrorInfo** errorInfo);
