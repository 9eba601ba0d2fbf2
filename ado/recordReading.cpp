#include "ado/recordReading.h"

#include "ado/fieldIndex.h"
#include "common/resultCodes.h"
#include "platform/dbAssert.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "adoCommon"

namespace {

int32_t ReadFirstRecord(DbOpenRowsetHandle& rowset, const DbReadRequest& request, DbErrorInfo** errorInfo) {
    if (!request.positioned) return rowset.MoveFirst(errorInfo);
    bool atEnd = false;
    const int32_t result = rowset.IsAtEnd(atEnd);
    if (result != DbSuccess) return result;
    return atEnd ? DbNoMoreRecords : DbSuccess;
}

int32_t ReadValue(const ComPtr<Field>& field, VARIANT& value) {
    if (!field) return DbFailed;
    CheckCom(field->get_Value(&value), field);
    return DbSuccess;
}

// The column of the row that the engine reads, looked up by name on every read.
int32_t ReadRecordValue(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, VARIANT& value,
                        DbErrorInfo** errorInfo) {
    ComPtr<Field> field;
    const int32_t result = rowset.GetRecordField(binding.name.c_str(), field, errorInfo);
    if (result != DbSuccess) return result;
    return ReadValue(field, value);
}

}  // namespace

int32_t ReadRecord(DbOpenRowsetHandle& rowset, int32_t mode, const DbBookmark* bookmark,
                   const DbReadRequest& request, DbErrorInfo** errorInfo) {
    switch (mode) {
    case DbReadFirst:
        return ReadFirstRecord(rowset, request, errorInfo);
    case DbReadNext:
        return rowset.MoveNext(errorInfo);
    case DbReadPrevious:
        return rowset.MovePrevious(errorInfo);
    case DbReadLast:
        return rowset.MoveLast(errorInfo);
    case DbReadBookmark:
        DB_ASSERT_TEXT(bookmark != nullptr, "bookmark != NULL");
        if (!bookmark) return DbInvalidArgument;
        return rowset.MoveToBookmark(*bookmark, errorInfo);
    default:
        DB_ASSERT_TEXT(false, "false");
        return DbFailed;
    }
}

int32_t ReadVariantColumnValue(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, VARIANT& value,
                               DbErrorInfo** errorInfo) {
    if (rowset.IsInRecordMode()) return ReadRecordValue(rowset, binding, value, errorInfo);
    // Until the first move forward, a name-only binding tells again whether its column exists.
    if (!rowset.HasMovedNext() && !binding.name.isEmpty()) {
        ComPtr<Field> found;
        const int32_t result = rowset.FindField(*FieldNameIndex(binding.name.c_str()).Get(), found, true, errorInfo);
        if (result != DbSuccess) return result;
    }
    return ReadValue(binding.field, value);
}
