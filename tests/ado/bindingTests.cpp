// Binding engine fields to the columns of Wine's real recordsets, by name (with occurrences
// among columns of the same name) and by position, and in record mode by name only.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ado/adoExports.h"
#include "ado/fieldBinding.h"
#include "ado/openrowseth.h"
#include "ado/providerLists.h"
#include "common/resultCodes.h"
#include "support/errorRecords.h"
#include "support/registryValue.h"
#include "support/recordsetBuilder.h"
#include "support/variantValues.h"
#include "unit/reportedAssertions.h"

namespace {

constexpr LONG kNoField = -1;

struct BindCase {
    uint32_t kind;
    uint32_t ordinal;
    const wchar_t* name;
    uint32_t occurrence;
    int32_t result;
    LONG boundValue;  // the bound column's value on the first row, or kNoField
    size_t errorRecords;
    std::vector<std::wstring> assertions;
};

const std::vector<BindCase> kRecordsetModeCases = {
    {kBindByName, 0, L"A", 0, DbSuccess, 10, 0, {}},
    {kBindByName, 0, L"A", 1, DbSuccess, 30, 0, {}},
    {kBindByName, 0, L"B", 0, DbSuccess, 20, 0, {}},
    {kBindByName, 0, L"A", 2, DbNoSuchField, kNoField, 0, {}},
    {kBindByName, 0, L"B", 1, DbNoSuchField, kNoField, 0, {}},
    // ADO finds names without regard to case; the occurrence search compares them exactly.
    {kBindByName, 0, L"a", 0, DbNoSuchField, kNoField, 0, {}},
    {kBindByName, 0, L"Z", 0, DbNoSuchField, kNoField, 2, {}},
    {kBindByName, 0, nullptr, 0, DbNoSuchField, kNoField, 2, {}},
    {kBindByPosition, 1, nullptr, 0, DbSuccess, 10, 0, {}},
    {kBindByPosition, 3, L"B", 0, DbSuccess, 30, 0, {}},
    // ADO refuses the position; the binding holds no field and reading it gives 11.
    {kBindByPosition, 4, nullptr, 0, DbSuccess, kNoField, 1, {}},
    {kBindByPosition, 0, nullptr, 0, DbSuccess, kNoField, 1, {L"adoCommon|fieldBindingInfo->fieldOrdinal > 0"}},
    {3, 1, L"A", 0, DbFailed, kNoField, 0, {L"adoCommon|false"}},
};

const std::vector<BindCase> kRecordModeCases = {
    {kBindByName, 0, L"X", 0, DbSuccess, kNoField, 0, {}},
    {kBindByName, 0, L"", 0, DbNoSuchField, kNoField, 0, {}},
    {kBindByName, 0, nullptr, 0, DbNoSuchField, kNoField, 0, {}},
    {kBindByPosition, 1, L"A", 0, DbNoSuchField, kNoField, 0, {}},
    {kBindByPosition, 0, nullptr, 0, DbNoSuchField, kNoField, 0, {L"adoCommon|fieldBindingInfo->fieldOrdinal > 0"}},
    {0, 1, L"A", 0, DbFailed, kNoField, 0, {L"adoCommon|false"}},
};

DbFieldBindingInfo Request(const BindCase& row) {
    DbFieldBindingInfo request{};
    request.fieldOrdinal = row.ordinal;
    request.fieldName = row.name;
    request.bindingKind = row.kind;
    request.nameOccurrence = row.occurrence;
    return request;
}

void ExpectBoundValue(DbOpenRowsetHandle& rowset, const DbFieldBinding& binding, LONG boundValue) {
    Variant value;
    DbErrorInfo* errors = nullptr;
    EXPECT_EQ(DbReadVariantColumnValue(&rowset, &binding, nullptr, nullptr, value.Get(), &errors),
              boundValue == kNoField ? DbFailed : DbSuccess);
    EXPECT_EQ(errors, nullptr);
    if (boundValue != kNoField) {
        EXPECT_EQ(value.Get()->lVal, boundValue);
    }
}

void CheckBindings(DbOpenRowsetHandle& rowset, const std::vector<BindCase>& cases, bool recordMode) {
    ReportedAssertions assertions;
    for (const BindCase& row : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << row.kind << " ordinal " << row.ordinal << " name "
                                        << (row.name ? row.name : L"(null)") << " occurrence " << row.occurrence);
        const DbFieldBindingInfo request = Request(row);
        DbFieldBinding* binding = reinterpret_cast<DbFieldBinding*>(1);
        DbErrorInfo* errors = nullptr;
        EXPECT_EQ(DbBindToField(&rowset, &request, &binding, &errors), row.result);
        EXPECT_EQ(CountRecords(errors), row.errorRecords);
        DbFreeErrorInfo(errors);
        EXPECT_EQ(assertions.Take(), row.assertions);
        if (row.result != DbSuccess) {
            EXPECT_EQ(binding, nullptr);
            continue;
        }
        ASSERT_NE(binding, nullptr);
        // Only a record-mode binding keeps a name: the recordset's own columns need none.
        EXPECT_EQ(binding->name, SWCharString(recordMode ? row.name : L""));
        EXPECT_EQ(static_cast<bool>(binding->field), row.boundValue != kNoField);
        if (!recordMode) ExpectBoundValue(rowset, *binding, row.boundValue);
        EXPECT_EQ(DbFreeFieldBinding(binding), DbSuccess);
    }
}

ComPtr<_Recordset> SameNamedColumns() {
    return BuildRecordset({{L"A", adInteger, 4}, {L"B", adInteger, 4}, {L"A", adInteger, 4}},
                          {{I4(10), I4(20), I4(30)}});
}

TEST(Binding, RecordsetModeByNameWithOccurrencesAndByPosition) {
    DbOpenRowsetHandle rowset(SameNamedColumns());
    // Wine's recordset names no connection, so no provider is listed.
    ASSERT_FALSE(rowset.SupportsCustomFields());
    ASSERT_FALSE(rowset.SupportsHierarchicalRecord());
    CheckBindings(rowset, kRecordsetModeCases, false);
}

TEST(Binding, RecordModeHoldsNamesOnly) {
    const ProviderListValue everything(HKEY_CURRENT_USER, kCustomFieldsProviders, L"*");
    DbOpenRowsetHandle rowset(SameNamedColumns());
    ASSERT_TRUE(rowset.SupportsCustomFields());
    CheckBindings(rowset, kRecordModeCases, true);
}

}  // namespace
