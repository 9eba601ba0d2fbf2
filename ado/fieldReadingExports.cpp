// Exports of field binding and record reading.

#include "ado/adoExports.h"
#include "ado/exportBoundary.h"
#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "common/resultCodes.h"
#include "platform/dbAssert.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "adoCommon"

namespace {
// Rowsets report in language 1033.
constexpr wchar_t kRowsetErrorLanguage[] = L"";
}

extern "C" int32_t DbBindToField(DbOpenRowsetHandle* rowsetHandle, const DbFieldBindingInfo* fieldBindingInfo,
                                 DbFieldBinding** binding, DbErrorInfo** errorInfo) {
    return RunExport(errorInfo, kRowsetErrorLanguage, DbFailed, [&]() -> int32_t {
        if (!binding) return DbInvalidArgument;
        *binding = nullptr;
        if (!rowsetHandle || !fieldBindingInfo) return DbInvalidArgument;
        return BindToField(*rowsetHandle, *fieldBindingInfo, *binding, errorInfo);
    });
}

extern "C" int32_t DbFreeFieldBinding(DbFieldBinding* binding) {
    delete binding;
    return DbSuccess;
}

extern "C" int32_t DbReadRecord(DbOpenRowsetHandle* rowsetHandle, int32_t mode, const DbBookmark* bookmark,
                                const DbReadRequest* readRequest, DbErrorInfo** errorInfo) {
    return RunExport(errorInfo, kRowsetErrorLanguage, DbFailed, [&]() -> int32_t {
        if (!rowsetHandle || !readRequest) return DbInvalidArgument;
        return ReadRecord(*rowsetHandle, mode, bookmark, *readRequest, errorInfo);
    });
}

extern "C" int32_t DbReadVariantColumnValue(DbOpenRowsetHandle* rowsetHandle, const DbFieldBinding* binding, void*,
                                            void*, VARIANT* value, DbErrorInfo** errorInfo) {
    return RunExport(errorInfo, kRowsetErrorLanguage, DbFailed, [&]() -> int32_t {
        if (!value) return DbInvalidArgument;
        DB_ASSERT_TEXT(value->vt == VT_EMPTY, "vtValue.vt == VT_EMPTY");
        if (!rowsetHandle || !binding) return DbInvalidArgument;
        return ReadVariantColumnValue(*rowsetHandle, *binding, *value, errorInfo);
    });
}
