// Moving an open rowset; the walk through hierarchical records branches off to openRowsetHierarchy.

#include "ado/openrowseth.h"
#include "common/resultCodes.h"
#include "common/variant.h"

bool DbOpenRowsetHandle::ReadBof() const {
    VARIANT_BOOL bof = VARIANT_FALSE;
    CheckCom(recordset->get_BOF(&bof), recordset);
    return bof != VARIANT_FALSE;
}

// EOF is read only when BOF holds: only both together say that there is no row at all.
bool DbOpenRowsetHandle::IsEmpty() const { return ReadBof() && ReadEof(); }

bool DbOpenRowsetHandle::IsAtEndAfterFailure() const {
    try {
        return ReadEof();
    } catch (const ComError&) {
        return false;
    }
}

int32_t DbOpenRowsetHandle::IsAtEnd(bool& atEnd, DbErrorInfo** errorInfo) {
    atEnd = false;
    if (!recordset) return DbFailed;
    const int32_t asked = ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        atEnd = ReadEof();
        return DbSuccess;
    });
    if (asked != DbSuccess) return asked;
    // Below a row the child tells; its own failure leaves the answer as it stands.
    if (atEnd && childRowsetOfCurrentRecord) childRowsetOfCurrentRecord->IsAtEnd(atEnd);
    return DbSuccess;
}

int32_t DbOpenRowsetHandle::MoveFirst(DbErrorInfo** errorInfo) {
    if (!recordset) return DbFailed;
    movedNextOntoRow = 0;
    return ReportingFailures(errorInfo, DbMoveFirstFailed, [&]() -> int32_t {
        if (IsEmpty()) return DbNoMoreRecords;
        CheckCom(recordset->MoveFirst(), recordset);
        childRowsetOfCurrentRecord.reset();
        return DbSuccess;
    });
}

int32_t DbOpenRowsetHandle::MovePrevious(DbErrorInfo** errorInfo) {
    if (!recordset) return DbFailed;
    movedNextOntoRow = 0;
    if (SupportsHierarchicalRecord()) return MovePreviousInHierarchy(errorInfo);
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        if (ReadBof()) return DbNoMoreRecords;
        CheckCom(recordset->MovePrevious(), recordset);
        return ReadBof() ? DbNoMoreRecords : DbSuccess;
    });
}

int32_t DbOpenRowsetHandle::MoveLast(DbErrorInfo** errorInfo) {
    if (!recordset) return DbFailed;
    movedNextOntoRow = 0;
    const int32_t result = ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        if (IsEmpty()) return DbNoMoreRecords;
        CheckCom(recordset->MoveLast(), recordset);
        return DbSuccess;
    });
    if (result != DbSuccess || !SupportsHierarchicalRecord()) return result;
    return DescendToLast(errorInfo);
}

// Moves this rowset's recordset only: a child rowset stays as it was.
int32_t DbOpenRowsetHandle::MoveToBookmark(const DbBookmark& bookmark, DbErrorInfo** errorInfo) {
    if (!recordset) return DbFailed;
    movedNextOntoRow = 0;
    return ReportingFailures(errorInfo, DbFailed, [&]() -> int32_t {
        Variant copy(bookmark.bookmark);
        CheckCom(recordset->put_Bookmark(*copy.Get()), recordset);
        return DbSuccess;
    });
}
