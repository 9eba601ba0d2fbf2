// The ADODB.Record of an open rowset's current row, and the walk through hierarchical records:
// each rowset keeps the rowset of its current record's children, so that the rows form one
// sequence in pre-order (a record, everything below it, then its next sibling).

#include <objbase.h>
#include <ole2.h>

#include "ado/openrowseth.h"
#include "common/bstr.h"
#include "common/resultCodes.h"
#include "common/variant.h"
#include "platform/dbAssert.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "openrowseth"

namespace {

constexpr wchar_t kRecordProgId[] = L"ADODB.Record";
// In-process server or handler, local or remote server.
constexpr DWORD kAnyServer = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

ComPtr<_Record> CreateRecord() {
    CLSID recordClass;
    CheckCom(CLSIDFromProgID(kRecordProgId, &recordClass));
    ComPtr<IUnknown> created;
    CheckCom(CoCreateInstance(recordClass, nullptr, kAnyServer, IID_IUnknown,
                              reinterpret_cast<void**>(created.ReleaseAndGetAddressOf())));
    CheckCom(OleRun(created.Get()));
    ComPtr<_Record> record;
    CheckCom(created.As(record));
    return record;
}

// An optional argument left out.
Variant NotGiven() {
    Variant argument;
    MarkArgumentMissing(*argument.Get());
    return argument;
}

}  // namespace

bool DbOpenRowsetHandle::IsRecordOpen() const {
    ObjectStateEnum state = adStateClosed;
    CheckCom(currentRecord->get_State(&state), currentRecord);
    return (state & adStateOpen) != 0;
}

int32_t DbOpenRowsetHandle::OpenCurrentRecord() {
    if (!recordset) {
        DB_ASSERT_TEXT(false, "FALSE");
        return DbFailed;
    }
    if (!currentRecord) {
        currentRecord = CreateRecord();
    } else if (IsRecordOpen()) {
        // A record that could not be opened on an earlier row is closed already, and ADO refuses
        // to close it again: one such row must not fail every row after it.
        CheckCom(currentRecord->Close(), currentRecord);
    }
    Variant source;
    source.Get()->vt = VT_DISPATCH;
    source.Get()->pdispVal = ComPtr<IDispatch>(recordset).Detach();
    const Bstr empty(L"");
    CheckCom(currentRecord->Open(*source.Get(), *NotGiven().Get(), adModeRead, adFailIfNotExists, adDelayFetchFields,
                                 empty.Get(), empty.Get()),
             currentRecord);
    return DbSuccess;
}

int32_t DbOpenRowsetHandle::OpenChildOfCurrentRecord(DbErrorInfo** errorInfo) {
    childRowsetOfCurrentRecord.reset();
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        const int32_t opened = OpenCurrentRecord();
        if (opened != DbSuccess) return opened;
        RecordTypeEnum type = adSimpleRecord;
        CheckCom(currentRecord->get_RecordType(&type), currentRecord);
        if (type == adSimpleRecord) return DbSuccess;
        ComPtr<_Recordset> children;
        CheckCom(currentRecord->GetChildren(children.ReleaseAndGetAddressOf()), currentRecord);
        if (!children) return DbSuccess;
        auto child = std::make_unique<DbOpenRowsetHandle>(std::move(children));
        if (child->IsEmpty()) return DbSuccess;
        // The child reads the same provider: it starts with this rowset's answers.
        child->customFieldsSupport = customFieldsSupport;
        child->hierarchicalRecordSupport = hierarchicalRecordSupport;
        childRowsetOfCurrentRecord = std::move(child);
        return DbSuccess;
    });
}

int32_t DbOpenRowsetHandle::MoveNextInHierarchy(DbErrorInfo** errorInfo) {
    if (childRowsetOfCurrentRecord) {
        // A failed question counts as not at the end.
        bool childAtEnd = false;
        childRowsetOfCurrentRecord->IsAtEnd(childAtEnd);
        if (!childAtEnd) {
            const int32_t result = childRowsetOfCurrentRecord->MoveNext(errorInfo);
            if (result != DbNoMoreRecords) return result;
        }
    } else {
        // A row whose record fails is reported there and passed: the walk goes on with its sibling.
        OpenChildOfCurrentRecord(errorInfo);
        if (childRowsetOfCurrentRecord) return DbSuccess;
    }
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        CheckCom(recordset->MoveNext(), recordset);
        childRowsetOfCurrentRecord.reset();
        return ReadEof() ? DbNoMoreRecords : DbSuccess;
    });
}

int32_t DbOpenRowsetHandle::MovePreviousInHierarchy(DbErrorInfo** errorInfo) {
    if (childRowsetOfCurrentRecord) {
        const int32_t result = childRowsetOfCurrentRecord->MovePrevious(errorInfo);
        if (result != DbNoMoreRecords) return result;
        childRowsetOfCurrentRecord.reset();
    }
    const int32_t result = ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        CheckCom(recordset->MovePrevious(), recordset);
        return ReadBof() ? DbNoMoreRecords : DbSuccess;
    });
    if (result != DbSuccess) return result;
    return DescendToLast(errorInfo);
}

int32_t DbOpenRowsetHandle::DescendToLast(DbErrorInfo** errorInfo) {
    const int32_t opened = OpenChildOfCurrentRecord(errorInfo);
    if (opened != DbSuccess || !childRowsetOfCurrentRecord) return opened;
    const int32_t result = childRowsetOfCurrentRecord->MoveLast(errorInfo);
    if (result != DbNoMoreRecords) return result;
    childRowsetOfCurrentRecord.reset();
    return DbSuccess;
}
