// A whole report through the exports, in the order the engine drives them: logon, tables,
// parameters, fields, the query, bindings by name and position, reads in every direction and by
// bookmark, with every reference back where it started. Each ADO call failing on the way is in
// the rowset's failure-path table.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "engineFlow.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

DispatchInterfaceBuilder OrdersInterface() {
    DispatchInterfaceBuilder builder(L"IOrders");
    builder.Method(L"Orders", Returns::Recordset).Param(L"country", VT_BSTR).Param(L"minimum", VT_I4);
    builder.Method(L"Count", Returns(VT_I4));
    return builder;
}

// Columns Id, Name, Note, Name: a name twice, and nulls in both of its columns.
std::vector<std::vector<Variant>> OrderRows(LONG count) {
    std::vector<std::vector<Variant>> rows;
    for (LONG id = 1; id <= count; ++id) {
        const std::wstring name = L"order " + std::to_wstring(id);
        rows.push_back({I4(id), id % 4 ? Text(name.c_str()) : Null(), R8(id / 2.0), id % 3 ? Null() : Text(L"x")});
    }
    return rows;
}

ComPtr<_Recordset> Orders(LONG count) {
    return BuildRecordset({{L"Id", adInteger, 4}, {L"Name", adVarWChar, 20}, {L"Note", adDouble, 8},
                           {L"Name", adVarWChar, 4}},
                          OrderRows(count));
}

std::wstring TextOf(const VARIANT& value) {
    if (value.vt == VT_NULL) return L"null";
    Variant text;
    if (FAILED(VariantChangeType(text.Get(), const_cast<VARIANT*>(&value), 0, VT_BSTR))) return L"vt " + std::to_wstring(value.vt);
    return text.Get()->bstrVal;
}

// What the report reads of a row through the bindings: the second Name, the Id and the first Name.
std::wstring ExpectedRow(LONG id) {
    std::vector<std::vector<Variant>> rows = OrderRows(id);
    const auto& row = rows.back();
    return TextOf(*row[3].Get()) + L"|" + TextOf(*row[0].Get()) + L"|" + TextOf(*row[1].Get());
}

using BindingOwner = std::unique_ptr<DbFieldBinding, int32_t (*)(DbFieldBinding*)>;
using RowsetOwner = std::unique_ptr<DbOpenRowsetHandle, int32_t (*)(DbOpenRowsetHandle*)>;

// One report: query, bindings (Name occurrence 1, position 1, Name occurrence 0), the first row
// as it stands, every next row to 500, then last, previous, first and a bookmark to the second
// row. Every step gives 0 and no record.
void RunReport(ServerHandle* handle, EngineQuery& query, ScriptableRecordset& recordset, std::vector<std::wstring>& rows) {
    ErrorList errors;
    DbOpenRowsetHandle* opened = nullptr;
    ASSERT_EQ(DbExecuteQuery(handle, 0, &query.Definition(), nullptr, nullptr, nullptr, &opened, nullptr, &errors.head), 0);
    RowsetOwner rowset(opened, DbCloseRowset);

    const DbFieldBindingInfo requests[3] = {BindingByName(L"Name", 1), BindingByPosition(1), BindingByName(L"Name")};
    std::vector<BindingOwner> bindings;
    for (const DbFieldBindingInfo& request : requests) {
        DbFieldBinding* binding = nullptr;
        ASSERT_EQ(DbBindToField(rowset.get(), &request, &binding, &errors.head), 0);
        bindings.emplace_back(binding, DbFreeFieldBinding);
    }
    auto readRow = [&](int32_t mode, const DbReadRequest& request, const DbBookmark* bookmark) {
        const int32_t moved = DbReadRecord(rowset.get(), mode, bookmark, &request, &errors.head);
        if (moved == DbNoMoreRecords && mode == DbReadNext) return false;
        EXPECT_EQ(moved, 0) << "mode " << mode;
        std::wstring row;
        for (const BindingOwner& binding : bindings) {
            Variant value;
            EXPECT_EQ(DbReadVariantColumnValue(rowset.get(), binding.get(), nullptr, nullptr, value.Get(), &errors.head), 0);
            row += (row.empty() ? L"" : L"|") + TextOf(*value.Get());
        }
        rows.push_back(row);
        return moved == 0;
    };
    const DbReadRequest positioned{0, 1}, moving{0, 0};
    ASSERT_TRUE(readRow(DbReadFirst, positioned, nullptr));
    Variant bookmark;
    do {
        // The engine keeps bookmarks of rows it has read.
        if (rows.size() == 2) static_cast<_Recordset*>(recordset)->get_Bookmark(bookmark.ReleaseAndGetAddressOf());
    } while (readRow(DbReadNext, moving, nullptr) && rows.size() < 1000);
    DbBookmark second{};
    second.bookmark = *bookmark.Get();  // lent: the Variant keeps it
    for (int32_t mode : {DbReadLast, DbReadPrevious, DbReadFirst}) readRow(mode, moving, nullptr);
    readRow(DbReadBookmark, moving, &second);
    EXPECT_EQ(errors.head, nullptr);
}

std::vector<std::wstring> ExpectedReport(LONG count) {
    std::vector<std::wstring> rows;
    for (LONG id = 1; id <= count; ++id) rows.push_back(ExpectedRow(id));
    for (LONG id : {count, count - 1, LONG(1), LONG(2)}) rows.push_back(ExpectedRow(id));
    return rows;
}

TEST(ReportFlow, FromLogonThroughTablesParametersAndFieldsToTheLastRecordInEveryDirection) {
    constexpr LONG kRows = 120;
    ScriptableRecordset recordset(Orders(kRows));
    recordset.SetActiveConnection(Text(L"Provider=MSDAOSP;Data Source=orders"));
    ProviderSession session(OrdersInterface(), L"ZedbTests.Report");
    ServerHandle* handle = session.LogOn();
    const ULONG providerReferences = session.provider.References();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Orders", calls, Object(recordset));

    uint32_t tableCount = 0;
    DbTableInfo** tables = nullptr;
    ASSERT_EQ(DbFetchTableList(handle, nullptr, nullptr, 0, &tables, &tableCount, nullptr), 0);
    ASSERT_EQ(tableCount, 1u);
    EXPECT_STREQ(tables[0]->firstText, L"Orders");
    uint32_t parameterCount = 0;
    DbParameterDescription** parameters = nullptr;
    ASSERT_EQ(DbFetchTableParameters(handle, tables[0], &parameterCount, &parameters, nullptr), 0);
    ASSERT_EQ(parameterCount, 2u);
    EXPECT_EQ(parameters[0]->valueType, stringValue);
    EXPECT_EQ(parameters[1]->valueType, int32sValue);
    DbFreeParametersList(parameterCount, parameters);

    const DbValue country = DiscreteText(L"NO"), minimum = Discrete<int32_t>(int32sValue, 3);
    EngineQuery query(tables[0]->firstText);
    DbFreeTableList(&tableCount, tables);
    query.Parameter(stringValue, &country).Parameter(int32sValue, &minimum);
    uint32_t fieldCount = 0;
    DbFieldDescription** fields = nullptr;
    ASSERT_EQ(DbFetchTableFields(handle, &query.Table(), query.Count(), query.Parameters(), query.Values(), &fieldCount,
                                 &fields, nullptr),
              0);
    ASSERT_EQ(fieldCount, 4u);
    EXPECT_STREQ(fields[3]->name, L"Name");
    DbFreeFieldList(fieldCount, fields);

    std::vector<std::wstring> rows;
    RunReport(handle, query, recordset, rows);
    EXPECT_EQ(rows, ExpectedReport(kRows));
    ASSERT_EQ(calls.arguments.size(), 2u);
    EXPECT_EQ(calls.arguments[0].Get()->lVal, 3);
    EXPECT_STREQ(calls.arguments[1].Get()->bstrVal, L"NO");

    EXPECT_EQ(recordset.Script().Calls("_Recordset::get_ActiveConnection"), 2) << "asked once per capability";
    EXPECT_EQ(recordset.References(), 2u) << "the test's and the provider's answer";
    EXPECT_EQ(recordset.FieldsReferences(), 0u);
    EXPECT_EQ(session.provider.References(), providerReferences);
}

}  // namespace
