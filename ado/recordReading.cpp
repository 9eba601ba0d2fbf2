#include "ado/recordReading.h"

#include "ado/fieldIndex.h"
#include "common/resultCodes.h"
#include "platform/dbAssert.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "adoCommon"

namespace {

int32_t ReadFirstRecord(DbOpenRowsetHandle& rowset, const DbReadRequest& request, DbErrorInfo** errorInfo) {
    if (!request.positioned) return rowset.MoveFirst(errorInfo);
    // The question's failure gives the read its code and no record of its own.
    bool atEnd = false;
    const int32_t result = rowset.IsAtEnd(atEnd);
    if (result != DbSuccess) return result;
    return atEnd ? DbNoMoreRecords : DbSuccess;
}

}  // namespace

int32_t ReadRecordOtherThanNext(DbOpenRowsetHandle& rowset, int32_t mode, const DbBookmark* bookmark,
                                const DbReadRequest& request, DbErrorInfo** errorInfo) {
    switch (mode) {
    case DbReadFirst:
        return ReadFirstRecord(rowset, request, errorInfo);
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

int32_t FindNameOnlyColumn(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, DbErrorInfo** errorInfo) {
    ComPtr<Field> found;
    return rowset.FindField(*FieldNameIndex(binding.name.c_str()).Get(), found, true, errorInfo);
}

int32_t ReadRecordValue(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, VARIANT& value,
                        DbErrorInfo** errorInfo) {
    ComPtr<Field> field;
    const int32_t result = rowset.GetRecordField(binding.name.c_str(), field, errorInfo);
    if (result != DbSuccess) return result;
    if (!field) return DbFailed;
    CheckCom(field->get_Value(&value), field);
    return DbSuccess;
}
