// The columns of an open rowset: their descriptions, look-ups by name or position, chapter
// columns opened as rowsets of their own, and the columns of the current record in record mode.

#include "ado/adoconvert.h"
#include "ado/openrowseth.h"
#include "ado/fieldIndex.h"
#include "common/bstr.h"
#include "common/dbvalue.h"
#include "common/resultCodes.h"
#include "common/variant.h"
#include "platform/dbAssert.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "openrowseth"

namespace {

constexpr wchar_t kChapterSeparator[] = L"-";

ComPtr<Fields> ReadFields(const ComPtr<_Recordset>& recordset) {
    ComPtr<Fields> fields;
    CheckCom(RequireInterface(recordset)->get_Fields(fields.ReleaseAndGetAddressOf()), recordset);
    return fields;
}

// ADO's sizes are 64 bits wide on x64; one beyond 32 bits counts as the largest there is.
int32_t DefinedSize32(AdoLongPtr definedSize) {
    if (definedSize > INT32_MAX) return INT32_MAX;
    if (definedSize < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(definedSize);
}

}  // namespace

int32_t DbOpenRowsetHandle::CollectFields(FieldDescriptionList& list, DbErrorInfo** errorInfo, LONG* ownColumns) {
    if (!recordset) return DbFailed;
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        const ComPtr<Fields> fields = ReadFields(recordset);
        if (!fields) return DbSuccess;
        LONG count = 0;
        CheckCom(fields->get_Count(&count), fields);
        if (ownColumns) *ownColumns = count;
        // The columns are indexed on the first walk only: later walks list fields and keep it.
        const bool indexing = !this->ownColumns;
        ColumnIndex index;
        for (LONG position = 0; position < count; ++position) {
            ComPtr<Field> field;
            CheckCom(fields->get_Item(*FieldPositionIndex(position).Get(), field.ReleaseAndGetAddressOf()), fields);
            if (!field) {
                DB_ASSERT_TEXT(false, "false");
                continue;
            }
            Bstr name;
            CheckCom(field->get_Name(name.ReleaseAndGetAddressOf()), field);
            if (indexing) index[SWCharString(name.Text())].push_back(field);
            DataTypeEnum type = adEmpty;
            CheckCom(field->get_Type(&type), field);
            AdoLongPtr definedSize = 0;
            CheckCom(field->get_DefinedSize(&definedSize), field);

            if (type == adChapter) {
                DbOpenRowsetHandle child;
                int32_t result = OpenChapter(name.Text(), child, errorInfo);
                FieldDescriptionList childList;
                if (result == DbSuccess) result = child.CollectFields(childList, errorInfo);
                if (result != DbSuccess) return result;
                const SWCharString prefix = SWCharString(name.Text()) + kChapterSeparator;
                for (FieldDescriptionEntry& entry : childList) {
                    entry.name = prefix + entry.name;
                    list.push_back(std::move(entry));
                }
                continue;
            }

            FieldDescriptionEntry entry;
            entry.valueType = noValueType;
            if (!MapAdoType(static_cast<uint32_t>(type), DefinedSize32(definedSize), entry.valueType,
                            entry.length, entry.typeOptions))
                continue;
            entry.name = name.Text();
            list.push_back(std::move(entry));
        }
        if (indexing) this->ownColumns = std::make_unique<ColumnIndex>(std::move(index));
        return DbSuccess;
    });
}

int32_t DbOpenRowsetHandle::GetOwnField(const VARIANT& index, ComPtr<Field>& field, DbErrorInfo** errorInfo) {
    // A failed look-up must not leave the caller holding another column.
    field.Reset();
    if (!recordset) return DbFailed;
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        const ComPtr<Fields> fields = ReadFields(recordset);
        if (!fields) return DbNoSuchField;
        ComPtr<Field> found;
        CheckCom(fields->get_Item(index, found.ReleaseAndGetAddressOf()), fields);
        field = std::move(found);
        return field ? DbSuccess : DbNoSuchField;
    });
}

int32_t DbOpenRowsetHandle::FindField(const VARIANT& index, ComPtr<Field>& field, bool searchChildren,
                                      DbErrorInfo** errorInfo) {
    const int32_t result = GetOwnField(index, field, errorInfo);
    if (!searchChildren || result == DbSuccess) return result;
    // The rowset keeps no child rowsets for chapter columns: only a name can be missing here.
    if (index.vt != VT_BSTR) return DbSuccess;
    return emptyWhenChapterOpened ? DbChapterNotOpened : DbNoSuchField;
}

int32_t DbOpenRowsetHandle::OpenChapter(const wchar_t* chapterName, DbOpenRowsetHandle& child,
                                        DbErrorInfo** errorInfo) {
    child.recordset.Reset();
    if (!chapterName || !*chapterName) return DbFailed;
    return ReportingFailures(errorInfo, DbMethodNotExecuted, [&]() -> int32_t {
        const ComPtr<Fields> fields = ReadFields(recordset);
        if (!fields) return DbFailed;
        ComPtr<Field> field;
        CheckCom(fields->get_Item(*FieldNameIndex(chapterName).Get(), field.ReleaseAndGetAddressOf()), fields);
        RequireInterface(field);
        DataTypeEnum type = adEmpty;
        CheckCom(field->get_Type(&type), field);
        if (type != adChapter) return DbFailed;
        if (IsEmpty()) {
            emptyWhenChapterOpened = 1;
            return DbChapterNotOpened;
        }

        Variant value;
        CheckCom(field->get_Value(value.ReleaseAndGetAddressOf()), field);
        const VARIANT& chapter = *value.Get();
        if (chapter.vt == VT_DISPATCH || chapter.vt == VT_UNKNOWN) {
            if (!chapter.punkVal) {
                child.recordset.Reset();
            } else {
                const HRESULT asked = chapter.punkVal->QueryInterface(
                    __uuidof(_Recordset), reinterpret_cast<void**>(child.recordset.ReleaseAndGetAddressOf()));
                if (asked != E_NOINTERFACE) CheckCom(asked);
            }
        }
        return child.recordset ? DbSuccess : DbChapterNotOpened;
    });
}

int32_t DbOpenRowsetHandle::GetRecordField(const wchar_t* name, ComPtr<Field>& field, DbErrorInfo** errorInfo) {
    DbOpenRowsetHandle* innermost = this;
    while (innermost->childRowsetOfCurrentRecord) innermost = innermost->childRowsetOfCurrentRecord.get();
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        const int32_t opened = innermost->OpenCurrentRecord();
        if (opened != DbSuccess) return opened;
        // The recordset's columns, read with the record open on the row: not the record's own.
        const ComPtr<Fields> fields = ReadFields(innermost->recordset);
        if (!fields) {
            DB_ASSERT_TEXT(false, "FALSE");
            return DbFailed;
        }
        ComPtr<Field> found;
        CheckCom(fields->get_Item(*FieldNameIndex(name).Get(), found.ReleaseAndGetAddressOf()), fields);
        field = std::move(found);
        return DbSuccess;
    });
}
