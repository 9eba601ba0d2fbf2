#pragma once
// An open rowset: the driver's object for one ADO recordset that a provider method returned.
// The engine holds it as an opaque handle from DbExecuteQuery to DbCloseRowset. Every ADO
// failure inside an operation is reported into the engine's error list with the operation's
// default code, and the operation returns the reported code.

#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ado/adoCommon.h"
#include "ado/adoInterfaces.h"
#include "ado/errorInfo.h"
#include "ado/fieldDescriptionList.h"
#include "ado/providerLists.h"
#include "common/comError.h"
#include "common/comPtr.h"
#include "common/resultCodes.h"
#include "platform/SWCharString.h"

// The engine's bookmark record; the driver reads only the ADO bookmark.
struct DbBookmark {
    uint64_t fieldAt0;
    VARIANT bookmark;
};
static_assert(offsetof(DbBookmark, bookmark) == 8, "DbBookmark layout");
static_assert(sizeof(DbBookmark) == 32, "DbBookmark layout");

// A rowset's own columns by exact name, each name's fields in column order.
using ColumnIndex = std::map<SWCharString, std::vector<ComPtr<Field>>>;

class DbOpenRowsetHandle {
public:
    // Without a recordset: the child of a chapter column until OpenChapter fills it.
    DbOpenRowsetHandle() noexcept;
    // Holds its own reference to the recordset, which may be null. The provider lists are its
    // server handle's; without them the rowset reads lists of its own.
    explicit DbOpenRowsetHandle(ComPtr<_Recordset> recordset,
                                std::shared_ptr<ProviderLists> providerLists = nullptr) noexcept;
    virtual ~DbOpenRowsetHandle();
    DbOpenRowsetHandle(const DbOpenRowsetHandle&) = delete;
    DbOpenRowsetHandle& operator=(const DbOpenRowsetHandle&) = delete;

    // The rowset owns no ADO connection: the reference is cleared and handed back.
    virtual ComPtr<IDispatch>& GetConnection(ComPtr<IDispatch>& connection);
    virtual int32_t Cancel(DbErrorInfo** errorInfo);

    // Asked of the provider lists once per rowset, then answered from the cache on every read;
    // the answers switch reading to ADODB.Record.
    bool SupportsCustomFields() { return customFieldsSupport == -1 ? AskCustomFields() : customFieldsSupport == 1; }
    bool SupportsHierarchicalRecord() {
        return hierarchicalRecordSupport == -1 ? AskHierarchicalRecord() : hierarchicalRecordSupport == 1;
    }
    // Record mode: bindings hold names, values come through the current row's ADODB.Record.
    bool IsInRecordMode() { return SupportsCustomFields() || SupportsHierarchicalRecord(); }

    // The columns as field descriptions, a chapter column replaced by its recordset's columns
    // and columns of types without a description left out; ownColumns receives the number of
    // the rowset's own columns, which the list therefore need not have.
    int32_t CollectFields(FieldDescriptionList& list, DbErrorInfo** errorInfo, LONG* ownColumns = nullptr);
    // Kept from the first walk of CollectFields that went through to the end, so that binding
    // every column by name walks them once (an open recordset's columns do not change); null
    // before such a walk.
    const ColumnIndex* OwnColumns() const noexcept { return ownColumns.get(); }
    // index: a column name (VT_BSTR) or a 0-based position (VT_I4).
    int32_t GetOwnField(const VARIANT& index, ComPtr<Field>& field, DbErrorInfo** errorInfo);
    int32_t FindField(const VARIANT& index, ComPtr<Field>& field, bool searchChildren, DbErrorInfo** errorInfo);
    // Gives child the recordset held by the current row's chapter column chapterName.
    int32_t OpenChapter(const wchar_t* chapterName, DbOpenRowsetHandle& child, DbErrorInfo** errorInfo);
    // The column name of the innermost rowset's current row, read after its record is opened there.
    int32_t GetRecordField(const wchar_t* name, ComPtr<Field>& field, DbErrorInfo** errorInfo);

    // Opens the ADODB.Record (created once per rowset) on the current row; a failed call is
    // raised to the caller, not reported.
    int32_t OpenCurrentRecord();
    // Replaces the child rowset with the rowset of the current record's children, when it has any.
    int32_t OpenChildOfCurrentRecord(DbErrorInfo** errorInfo);

    // BOF and EOF are read around every move, so that ADO is never asked to pass either end and
    // 500 never depends on the error ADO would raise there. With hierarchical records the moves
    // walk the tree of records in pre-order, the engine reading the innermost rowset's row.
    // A failure is reported when the caller passes its error list.
    int32_t IsAtEnd(bool& atEnd, DbErrorInfo** errorInfo = nullptr);
    int32_t MoveFirst(DbErrorInfo** errorInfo);
    // Defined below, so that the report's inner loop reaches ADO from the export in one step.
    int32_t MoveNext(DbErrorInfo** errorInfo);
    int32_t MovePrevious(DbErrorInfo** errorInfo);
    int32_t MoveLast(DbErrorInfo** errorInfo);
    int32_t MoveToBookmark(const DbBookmark& bookmark, DbErrorInfo** errorInfo);

    const ComPtr<_Recordset>& Recordset() const noexcept { return recordset; }
    bool HasMovedNext() const noexcept { return hasMovedNext != 0; }
    bool EmptyWhenChapterOpened() const noexcept { return emptyWhenChapterOpened != 0; }

private:
    template <class Work>
    int32_t ReportingFailures(DbErrorInfo** errorInfo, int32_t defaultCode, Work&& work) {
        try {
            return work();
        } catch (const ComError& error) {
            return ReportComError(error, errorInfo, errorLanguage, defaultCode);
        }
    }
    bool AskCustomFields();
    bool AskHierarchicalRecord();
    bool AskProviderList(int16_t& support, ProviderList list);
    bool ReadBof() const;
    bool ReadEof() const {
        VARIANT_BOOL eof = VARIANT_FALSE;
        CheckCom(recordset->get_EOF(&eof), recordset);
        return eof != VARIANT_FALSE;
    }
    bool IsEmpty() const;
    // EOF, read after a failed move; a failure to read it counts as not at the end.
    bool IsAtEndAfterFailure() const;
    bool IsRecordOpen() const;
    int32_t MoveNextInHierarchy(DbErrorInfo** errorInfo);
    int32_t MovePreviousInHierarchy(DbErrorInfo** errorInfo);
    // From the current row down to its deepest last descendant.
    int32_t DescendToLast(DbErrorInfo** errorInfo);

    ComPtr<_Recordset> recordset;
    std::unique_ptr<DbOpenRowsetHandle> childRowsetOfCurrentRecord;
    std::unique_ptr<ColumnIndex> ownColumns;
    ComPtr<_Record> currentRecord;
    std::shared_ptr<ProviderLists> providerLists;
    // Read once, for whichever list is asked first.
    std::optional<SWCharString> providerName;
    int16_t customFieldsSupport = -1;  // -1 not yet asked, 0 no, 1 yes
    int16_t hierarchicalRecordSupport = -1;
    uint16_t hasMovedNext = 0;
    // Set by a MoveNext that ended on a row, cleared by every other move.
    uint16_t movedNextOntoRow = 0;
    uint16_t emptyWhenChapterOpened = 0;
    // Never set, so error labels come in language 1033.
    SWCharString errorLanguage;
};

inline int32_t DbOpenRowsetHandle::MoveNext(DbErrorInfo** errorInfo) {
    if (!recordset) return DbFailed;
    hasMovedNext = 1;
    if (SupportsHierarchicalRecord()) return MoveNextInHierarchy(errorInfo);
    // The row just reached by a move forward is not the end: asking again would only double
    // the ADO calls of the report's inner loop. A first question that fails counts as not at
    // the end: the move itself then tells.
    const bool onRowReachedForward = movedNextOntoRow != 0;
    movedNextOntoRow = 0;
    bool atEnd = false;
    if (!onRowReachedForward) IsAtEnd(atEnd);
    if (atEnd) return DbNoMoreRecords;
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        try {
            CheckCom(recordset->MoveNext(), recordset);
        } catch (const ComError&) {
            // Something else moved the recordset to its end: the question skipped would have said so.
            if (onRowReachedForward && IsAtEndAfterFailure()) return DbNoMoreRecords;
            throw;
        }
        if (ReadEof()) return DbNoMoreRecords;
        movedNextOntoRow = 1;
        return DbSuccess;
    });
}
