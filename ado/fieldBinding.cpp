#include "ado/fieldBinding.h"

#include <memory>

#include "ado/fieldIndex.h"
#include "common/bstr.h"
#include "common/resultCodes.h"
#include "common/variant.h"
#include "platform/dbAssert.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "adoCommon"

namespace {

int32_t HandOut(ComPtr<Field> field, SWCharString name, DbFieldBinding*& binding) {
    binding = new DbFieldBinding{std::move(field), std::move(name)};
    return DbSuccess;
}

bool FoundOrChapterMissing(int32_t result) { return result == DbSuccess || result == DbChapterNotOpened; }

// Record mode reads through the current row's ADODB.Record, by name only.
int32_t BindRecordField(const DbFieldBindingInfo& request, DbFieldBinding*& binding) {
    SWCharString name;
    if (request.bindingKind == kBindByName) {
        name = request.fieldName;
    } else if (request.bindingKind == kBindByPosition) {
        DB_ASSERT_TEXT(request.fieldOrdinal > 0, "fieldBindingInfo->fieldOrdinal > 0");
    } else {
        DB_ASSERT_TEXT(false, "false");
        return DbFailed;
    }
    if (name.isEmpty()) return DbNoSuchField;
    return HandOut(nullptr, std::move(name), binding);
}

// Columns may share a name: the request's occurrence counts among them in column order. A walk
// that a chapter of an empty rowset ended early leaves the columns to be looked at one by one.
int32_t ScanOwnColumns(DbOpenRowsetHandle& rowset, const DbFieldBindingInfo& request, LONG ownColumns,
                       DbFieldBinding*& binding, DbErrorInfo** errorInfo) {
    const SWCharString requested(request.fieldName);
    ComPtr<Field> field;
    uint32_t occurrence = 0;
    for (LONG position = 0; position < ownColumns; ++position) {
        // Every position was just listed: a look-up that fails now is ADO's failure, and
        // passing over it would count the occurrences wrong.
        const int32_t result = rowset.GetOwnField(*FieldPositionIndex(position).Get(), field, errorInfo);
        if (result != DbSuccess) return result;
        if (!field) return DbNoSuchField;
        Bstr name;
        CheckCom(field->get_Name(name.ReleaseAndGetAddressOf()), field);
        if (SWCharString(name.Text()) != requested) continue;
        if (occurrence == request.nameOccurrence) return HandOut(std::move(field), SWCharString(), binding);
        ++occurrence;
    }
    return DbNoSuchField;
}

int32_t BindOwnColumnByName(DbOpenRowsetHandle& rowset, const DbFieldBindingInfo& request,
                            DbFieldBinding*& binding, DbErrorInfo** errorInfo) {
    if (!rowset.OwnColumns()) {
        FieldDescriptionList columns;
        LONG ownColumns = 0;
        const int32_t result = rowset.CollectFields(columns, errorInfo, &ownColumns);
        if (!FoundOrChapterMissing(result)) return result;
        if (!rowset.OwnColumns()) return ScanOwnColumns(rowset, request, ownColumns, binding, errorInfo);
    }
    const ColumnIndex& columns = *rowset.OwnColumns();
    const auto named = columns.find(SWCharString(request.fieldName));
    if (named == columns.end() || request.nameOccurrence >= named->second.size()) return DbNoSuchField;
    return HandOut(named->second[request.nameOccurrence], SWCharString(), binding);
}

int32_t BindColumnByName(DbOpenRowsetHandle& rowset, const DbFieldBindingInfo& request, DbFieldBinding*& binding,
                         DbErrorInfo** errorInfo) {
    // Once the columns are known, a name among them needs no look-up through ADO.
    const ColumnIndex* known = rowset.OwnColumns();
    if (known && known->find(SWCharString(request.fieldName)) != known->end())
        return BindOwnColumnByName(rowset, request, binding, errorInfo);
    const Variant index = FieldNameIndex(request.fieldName);
    ComPtr<Field> probe;
    rowset.FindField(*index.Get(), probe, false, errorInfo);
    if (probe) return BindOwnColumnByName(rowset, request, binding, errorInfo);

    ComPtr<Field> field;
    const int32_t result = rowset.FindField(*index.Get(), field, true, errorInfo);
    if (!FoundOrChapterMissing(result)) return result;
    // Found on the second look after all (the first failed): one of the rowset's own columns,
    // whose occurrence is counted as the first look would have counted it.
    if (field) return BindOwnColumnByName(rowset, request, binding, errorInfo);
    return HandOut(std::move(field), SWCharString(request.fieldName), binding);
}

int32_t BindColumnByPosition(DbOpenRowsetHandle& rowset, const DbFieldBindingInfo& request,
                             DbFieldBinding*& binding, DbErrorInfo** errorInfo) {
    DB_ASSERT_TEXT(request.fieldOrdinal > 0, "fieldBindingInfo->fieldOrdinal > 0");
    const Variant index = FieldPositionIndex(static_cast<LONG>(request.fieldOrdinal) - 1);
    ComPtr<Field> field;
    const int32_t result = rowset.FindField(*index.Get(), field, true, errorInfo);
    if (result != DbSuccess) return result;
    return HandOut(std::move(field), SWCharString(), binding);
}

}  // namespace

int32_t BindToField(DbOpenRowsetHandle& rowset, const DbFieldBindingInfo& request, DbFieldBinding*& binding,
                    DbErrorInfo** errorInfo) {
    if (rowset.IsInRecordMode()) return BindRecordField(request, binding);
    switch (request.bindingKind) {
    case kBindByName:
        return BindColumnByName(rowset, request, binding, errorInfo);
    case kBindByPosition:
        return BindColumnByPosition(rowset, request, binding, errorInfo);
    default:
        DB_ASSERT_TEXT(false, "false");
        return DbFailed;
    }
}
