// Moving through Wine's real recordsets with DbReadRecord: each step's result and the row the
// cursor then stands on, read back through a bound field.

#include <gtest/gtest.h>

#include <iterator>

#include "ado/adoExports.h"
#include "ado/openrowseth.h"
#include "ado/recordReading.h"
#include "common/resultCodes.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/driverInUse.h"
#include "support/errorRecords.h"
#include "support/variantValues.h"

namespace {

constexpr LONG kAtEnd = -1;     // EOF: no row
constexpr LONG kAtStart = -2;   // BOF: no row
constexpr LONG kMoveToSecond = 5;

struct Step {
    int32_t mode;
    uint16_t positioned;
    int32_t result;
    LONG row;  // the Id of the current row, or kAtEnd / kAtStart
};

// From the first row, where DbExecuteQuery leaves a new rowset. Mode 5 moves to the bookmark of row 2.
const Step kThreeRowWalk[] = {
    {DbReadFirst, 1, DbSuccess, 1},
    {DbReadNext, 0, DbSuccess, 2},
    {DbReadNext, 0, DbSuccess, 3},
    {DbReadNext, 0, DbNoMoreRecords, kAtEnd},
    {DbReadNext, 0, DbNoMoreRecords, kAtEnd},
    {DbReadFirst, 1, DbNoMoreRecords, kAtEnd},
    {DbReadPrevious, 0, DbSuccess, 3},
    {DbReadPrevious, 0, DbSuccess, 2},
    {DbReadPrevious, 0, DbSuccess, 1},
    {DbReadPrevious, 0, DbNoMoreRecords, kAtStart},
    {DbReadPrevious, 0, DbNoMoreRecords, kAtStart},
    {DbReadNext, 0, DbSuccess, 1},
    {DbReadLast, 0, DbSuccess, 3},
    {DbReadFirst, 0, DbSuccess, 1},
    {kMoveToSecond, 0, DbSuccess, 2},
    {DbReadFirst, 1, DbSuccess, 2},
    {DbReadLast, 0, DbSuccess, 3},
};

LONG CurrentRow(const ComPtr<_Recordset>& recordset) {
    VARIANT_BOOL bof = VARIANT_FALSE, eof = VARIANT_FALSE;
    EXPECT_EQ(recordset->get_BOF(&bof), S_OK);
    EXPECT_EQ(recordset->get_EOF(&eof), S_OK);
    if (eof) return kAtEnd;
    if (bof) return kAtStart;
    return ValueAt(recordset, 0).Get()->lVal;
}

// ADO is never asked to move past either end: Wine would answer success there, Windows fails.
TEST(Navigation, ThreeRowsForwardBackwardLastFirstAndBookmark) {
    const ComPtr<_Recordset> recordset = BuildRecordset({{L"Id", adInteger, 4}}, {{I4(1)}, {I4(2)}, {I4(3)}});
    ASSERT_EQ(recordset->MoveNext(), S_OK);
    DbBookmark second{};
    ASSERT_EQ(recordset->get_Bookmark(&second.bookmark), S_OK);
    ASSERT_EQ(recordset->MoveFirst(), S_OK);

    ScriptableRecordset counted(recordset);
    DbOpenRowsetHandle rowset{ComPtr<_Recordset>(counted)};
    ErrorList errors;
    EXPECT_FALSE(rowset.HasMovedNext());
    for (size_t i = 0; i < std::size(kThreeRowWalk); ++i) {
        const Step& step = kThreeRowWalk[i];
        const DbReadRequest request{0, step.positioned};
        const DbBookmark* bookmark = step.mode == kMoveToSecond ? &second : nullptr;
        EXPECT_EQ(DbReadRecord(&rowset, step.mode, bookmark, &request, &errors.head), step.result) << "step " << i;
        EXPECT_EQ(CurrentRow(recordset), step.row) << "step " << i;
        EXPECT_EQ(rowset.HasMovedNext(), i >= 1) << "step " << i;
    }
    EXPECT_EQ(errors.head, nullptr);
    EXPECT_EQ(counted.Script().Calls("_Recordset::MoveNext"), 4);
    EXPECT_EQ(counted.Script().Calls("_Recordset::MovePrevious"), 4);
    VariantClear(&second.bookmark);
}

// A provider may hand one recordset object to two rowsets. Once the other has moved it to its
// end, a move forward from a row reached forward ends the rows, as the question it skips would
// have, and adds no record.
TEST(Navigation, ARecordsetSharedByTwoRowsetsEndsWhereTheOtherLeftIt) {
    ScriptableRecordset shared(BuildRecordset({{L"Id", adInteger, 4}}, {{I4(1)}, {I4(2)}}));
    DbOpenRowsetHandle reader{ComPtr<_Recordset>(shared)}, other{ComPtr<_Recordset>(shared)};
    ErrorList errors;
    const DbReadRequest moving{0, 0};
    EXPECT_EQ(DbReadRecord(&reader, DbReadNext, nullptr, &moving, &errors.head), DbSuccess);
    EXPECT_EQ(DbReadRecord(&other, DbReadNext, nullptr, &moving, &errors.head), DbNoMoreRecords);
    EXPECT_EQ(DbReadRecord(&reader, DbReadNext, nullptr, &moving, &errors.head), DbNoMoreRecords);
    EXPECT_EQ(errors.head, nullptr);
}

// Cancel is the one rowset call that no export makes; a refusal is reported with its error object.
TEST(Navigation, CancelReportsARefusal) {
    const DriverInUse driver;  // for the labels of the error records
    ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}}, {{I4(1)}}));
    DbOpenRowsetHandle rowset{ComPtr<_Recordset>(recordset)};
    ErrorList errors;
    recordset.Script().Fail("_Recordset::Cancel", E_FAIL);
    EXPECT_EQ(rowset.Cancel(&errors.head), DbFailed);
    ASSERT_NE(errors.head, nullptr);
    EXPECT_STREQ(errors.head->text, L"ADO Error Code: 0x80004005\nSource: ScriptedADO\nDescription: _Recordset::Cancel failed on purpose");
    errors.Clear();
    EXPECT_EQ(DbOpenRowsetHandle().Cancel(&errors.head), DbSuccess) << "nothing to cancel without a recordset";
}

}  // namespace
