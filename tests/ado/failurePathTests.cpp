// ADO calls that fail for good on the rowset's paths, and the call that no export makes: the
// operation's result code, the error records it leaves (taking the error object only where the
// failing interface offers one), the same operation once ADO passes again, and references back
// where they started. Each call failing once, at each of its calls in a report, is in the COM
// tests' fault matrix.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ado/adoExports.h"
#include "ado/fieldBinding.h"
#include "ado/openrowseth.h"
#include "ado/recordReading.h"
#include "common/resultCodes.h"
#include "support/driverInUse.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

using Operation = std::function<int32_t(DbOpenRowsetHandle&, DbErrorInfo**)>;

int32_t Read(DbOpenRowsetHandle& rowset, int32_t mode, DbErrorInfo** errors) {
    const DbReadRequest request{0, 0};
    return DbReadRecord(&rowset, mode, nullptr, &request, errors);
}

const Operation kMoveNext = [](DbOpenRowsetHandle& r, DbErrorInfo** e) {
    return Read(r, DbReadNext, e);
};
const Operation kBindName = [](DbOpenRowsetHandle& r, DbErrorInfo** e) {
    DbFieldBindingInfo request{};
    request.fieldName = L"Name";
    request.bindingKind = kBindByName;
    DbFieldBinding* binding = nullptr;
    const int32_t result = DbBindToField(&r, &request, &binding, e);
    DbFreeFieldBinding(binding);
    return result;
};
const Operation kCancel = [](DbOpenRowsetHandle& r, DbErrorInfo** e) { return r.Cancel(e); };

constexpr HRESULT kUnlisted = E_FAIL;  // leaves the operation's default code
constexpr int32_t kNotRetried = -1;

struct FailureCase {
    const char* call;
    HRESULT result;
    bool withErrorObject;
    Operation operation;
    int32_t code;
    size_t records;
    int32_t retried;  // the result once the call passes again
};

const std::vector<FailureCase> kFailures = {
    // Both EOF tests fail: the first counts as not at the end, so the move to the last row is
    // made, and the second is reported; the next move then finds the end.
    {"_Recordset::get_EOF", kUnlisted, true, kMoveNext, DbFailed, 1, DbNoMoreRecords},
    {"_Recordset::Cancel", kUnlisted, true, kCancel, DbFailed, 1, kNotRetried},
    // Binding by name looks the field up twice when the first look fails; both records stay.
    {"_Recordset::get_Fields", kUnlisted, true, kBindName, DbNoSuchField, 2, DbSuccess},
    {"Fields::get_Item", kUnlisted, WithoutErrorObject, kBindName, DbNoSuchField, 2, DbSuccess},
};

std::wstring ExpectedText(const FailureCase& row) {
    wchar_t code[16];
    swprintf(code, 16, L"%x", static_cast<unsigned>(row.result));
    std::wstring text = L"ADO Error Code: 0x" + std::wstring(code);
    if (row.withErrorObject)
        text += L"\nSource: ScriptedADO\nDescription: " + std::wstring(row.call, row.call + strlen(row.call)) +
                L" failed on purpose";
    return text;
}

TEST(FailurePaths, FailuresThatHoldAndTheCallNoExportMakes) {
    const DriverInUse driver;  // for the labels of the error records
    for (const FailureCase& row : kFailures) {
        SCOPED_TRACE(testing::Message() << row.call << " " << HresultText(row.result));
        ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}, {L"Name", adVarWChar, 20}},
                                                     {{I4(1), Text(L"one")}, {I4(2), Text(L"two")}}));
        {
            DbOpenRowsetHandle rowset{ComPtr<_Recordset>(recordset)};
            recordset.Script().Fail(row.call, row.result, row.withErrorObject);
            DbErrorInfo* errors = nullptr;
            EXPECT_EQ(row.operation(rowset, &errors), row.code);
            size_t records = 0;
            for (const DbErrorInfo* record = errors; record; record = record->next, ++records) {
                // A field not found is reported over the lookup's own failure.
                EXPECT_EQ(record->code, static_cast<uint32_t>(row.code == DbNoSuchField ? DbFailed : row.code));
                EXPECT_EQ(std::wstring(record->text), ExpectedText(row));
            }
            EXPECT_EQ(records, row.records);
            DbFreeErrorInfo(errors);
            errors = nullptr;
            EXPECT_GE(recordset.Script().Calls(row.call), 1);
            recordset.Script().Fail(row.call, S_OK);
            if (row.retried != kNotRetried) {
                EXPECT_EQ(row.operation(rowset, &errors), row.retried);
            }
            EXPECT_EQ(errors, nullptr);
        }
        EXPECT_EQ(recordset.References(), 1u);
        EXPECT_EQ(recordset.FieldsReferences(), 0u);
    }
}

TEST(FailurePaths, ForwardOnlyRecordsetRefusesToMoveBack) {
    const DriverInUse driver;  // for the labels of the error records
    ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}}, {{I4(1)}, {I4(2)}, {I4(3)}}));
    recordset.ActForwardOnly();
    DbOpenRowsetHandle rowset{ComPtr<_Recordset>(recordset)};
    DbErrorInfo* errors = nullptr;
    EXPECT_EQ(Read(rowset, DbReadNext, &errors), DbSuccess);
    EXPECT_EQ(Read(rowset, DbReadFirst, &errors), DbMoveFirstFailed);
    EXPECT_EQ(Read(rowset, DbReadPrevious, &errors), DbFailed);
    EXPECT_EQ(Read(rowset, DbReadLast, &errors), DbFailed);
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors->code, static_cast<uint32_t>(DbFailed));
    EXPECT_STREQ(errors->text, L"ADO Error Code: 0x80040e24\nSource: ScriptedADO\n"
                               L"Description: Rowset does not support fetching backward.");
    DbFreeErrorInfo(errors);
    errors = nullptr;
    EXPECT_EQ(Read(rowset, DbReadNext, &errors), DbSuccess);
    EXPECT_EQ(Read(rowset, DbReadNext, &errors), DbNoMoreRecords);
    EXPECT_EQ(errors, nullptr);
}

}  // namespace
