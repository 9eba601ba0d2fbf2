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
#include "common/comError.h"
#include "common/resultCodes.h"

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

// First, previous, last and bookmark reads; ReadRecord's own case is the next record.
int32_t ReadRecordOtherThanNext(DbOpenRowsetHandle& rowset, int32_t mode, const DbBookmark* bookmark,
                                const DbReadRequest& request, DbErrorInfo** errorInfo);
// Whether the column of a name-only binding is there, before the rowset first moved forward.
int32_t FindNameOnlyColumn(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, DbErrorInfo** errorInfo);
// Record mode: the binding's column in the record of the row that the engine reads.
int32_t ReadRecordValue(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, VARIANT& value,
                        DbErrorInfo** errorInfo);

// Defined here, with the column read below, so that each export's inner loop is one call deep.
inline int32_t ReadRecord(DbOpenRowsetHandle& rowset, int32_t mode, const DbBookmark* bookmark,
                          const DbReadRequest& request, DbErrorInfo** errorInfo) {
    if (mode == DbReadNext) return rowset.MoveNext(errorInfo);
    return ReadRecordOtherThanNext(rowset, mode, bookmark, request, errorInfo);
}

// value receives what ADO delivers; the engine owns and clears it.
inline int32_t ReadVariantColumnValue(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, VARIANT& value,
                                      DbErrorInfo** errorInfo) {
    if (rowset.IsInRecordMode()) return ReadRecordValue(rowset, binding, value, errorInfo);
    // Until the first move forward, a name-only binding tells again whether its column exists.
    if (!rowset.HasMovedNext() && !binding.name.isEmpty()) {
        const int32_t result = FindNameOnlyColumn(rowset, binding, errorInfo);
        if (result != DbSuccess) return result;
    }
    if (!binding.field) return DbFailed;
    CheckCom(binding.field->get_Value(&value), binding.field);
    return DbSuccess;
}
