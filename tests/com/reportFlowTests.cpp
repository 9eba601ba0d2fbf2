// Whole reports through the exports, in the order the engine drives them: logon, tables,
// parameters, fields, the query, bindings by name and position, reads in every direction and by
// bookmark; then every ADO call on the way failed once, each followed by a report on the same
// handle that works, with every reference back where it started.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "providerSession.h"
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

struct ReportOutcome {
    std::string step = "done";
    int32_t code = 0;
    std::vector<std::wstring> rows;
    ErrorList errors;
};

// One report: query, bindings (Name occurrence 1, position 1, Name occurrence 0), the first row
// as it stands, every next row to 500, then last, previous, first and a bookmark to the second
// row. Stops at the first step that does not give 0 (500 ends the forward walk only).
void RunReport(ServerHandle* handle, EngineQuery& query, ScriptableRecordset& recordset, ReportOutcome& outcome) {
    auto failed = [&](const char* step, int32_t code) {
        if (code == DbSuccess) return false;
        outcome.step = step;
        outcome.code = code;
        return true;
    };
    DbOpenRowsetHandle* opened = nullptr;
    if (failed("query", DbExecuteQuery(handle, 0, &query.Definition(), nullptr, nullptr, nullptr, &opened, nullptr,
                                       &outcome.errors.head)))
        return;
    RowsetOwner rowset(opened, DbCloseRowset);

    DbFieldBindingInfo requests[3] = {};
    requests[0].bindingKind = kBindByName;
    requests[0].fieldName = L"Name";
    requests[0].nameOccurrence = 1;
    requests[1].bindingKind = kBindByPosition;
    requests[1].fieldOrdinal = 1;
    requests[2].bindingKind = kBindByName;
    requests[2].fieldName = L"Name";
    std::vector<BindingOwner> bindings;
    for (const DbFieldBindingInfo& request : requests) {
        DbFieldBinding* binding = nullptr;
        if (failed("bind", DbBindToField(rowset.get(), &request, &binding, &outcome.errors.head))) return;
        bindings.emplace_back(binding, DbFreeFieldBinding);
    }
    auto readRow = [&](const char* step, int32_t mode, const DbReadRequest& request, const DbBookmark* bookmark) {
        const int32_t moved = DbReadRecord(rowset.get(), mode, bookmark, &request, &outcome.errors.head);
        if (moved == DbNoMoreRecords && mode == DbReadNext) return false;
        if (failed(step, moved)) return false;
        std::wstring row;
        for (const BindingOwner& binding : bindings) {
            Variant value;
            if (failed("value", DbReadVariantColumnValue(rowset.get(), binding.get(), nullptr, nullptr, value.Get(),
                                                         &outcome.errors.head)))
                return false;
            row += (row.empty() ? L"" : L"|") + TextOf(*value.Get());
        }
        outcome.rows.push_back(row);
        return true;
    };
    const DbReadRequest positioned{0, 1}, moving{0, 0};
    if (!readRow("first as it stands", DbReadFirst, positioned, nullptr)) return;
    Variant bookmark;
    do {
        // The engine keeps bookmarks of rows it has read; a forward-only recordset has none.
        if (outcome.rows.size() == 2) recordset.get_Bookmark(bookmark.ReleaseAndGetAddressOf());
    } while (readRow("next", DbReadNext, moving, nullptr));
    if (outcome.code != DbSuccess) return;
    DbBookmark second{};
    second.bookmark = *bookmark.Get();  // lent: the Variant keeps it
    readRow("last", DbReadLast, moving, nullptr) && readRow("previous", DbReadPrevious, moving, nullptr) &&
        readRow("first", DbReadFirst, moving, nullptr) && readRow("bookmark", DbReadBookmark, moving, &second);
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
    AnswerCalls(session.provider, L"Orders", calls, Object(&recordset));

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

    ReportOutcome outcome;
    RunReport(handle, query, recordset, outcome);
    EXPECT_EQ(outcome.step, "done");
    EXPECT_EQ(outcome.code, 0);
    EXPECT_EQ(outcome.errors.head, nullptr);
    EXPECT_EQ(outcome.rows, ExpectedReport(kRows));
    ASSERT_EQ(calls.arguments.size(), 2u);
    EXPECT_EQ(calls.arguments[0].Get()->lVal, 3);
    EXPECT_STREQ(calls.arguments[1].Get()->bstrVal, L"NO");

    EXPECT_EQ(recordset.Script().Calls("_Recordset::get_ActiveConnection"), 2) << "asked once per capability";
    EXPECT_EQ(recordset.References(), 2u) << "the test's and the provider's answer";
    EXPECT_EQ(recordset.FieldsReferences(), 0u);
    EXPECT_EQ(session.provider.References(), providerReferences);
}

struct FailureRow {
    const char* call;  // the failing call of the recordset's script, or null
    bool withErrorObject;  // without one, a stale error object waits on the thread and must not be taken
    bool forwardOnly;
    const char* step;
    int32_t code;
    size_t records;
    const wchar_t* description;  // of the record at the head of the list
};

TEST(ReportFlow, EveryAdoCallOnTheWayFailedOnceAndTheNextReportOnTheSameHandleWorks) {
    constexpr LONG kRows = 5;
    const FailureRow rows[] = {
        {"_Recordset::get_Fields", true, false, "bind", 400, 2, nullptr},
        {"Fields::get_Item", WithoutErrorObject, false, "bind", 400, 2, nullptr},
        {"Fields::get_Count", true, false, "bind", 11, 1, nullptr},
        {"Field::get_Name", WithoutErrorObject, false, "bind", 11, 1, nullptr},
        {"Field::get_Type", true, false, "bind", 11, 1, nullptr},
        {"Field::get_DefinedSize", WithoutErrorObject, false, "bind", 11, 1, nullptr},
        {"_Recordset::get_ActiveConnection", true, false, "done", 0, 0, nullptr},
        {"_Recordset::get_EOF", true, false, "first as it stands", 11, 0, nullptr},
        {"Field::get_Value", WithoutErrorObject, false, "value", 11, 1, nullptr},
        {"_Recordset::MoveNext", true, false, "next", 11, 1, nullptr},
        {"_Recordset::get_BOF", WithoutErrorObject, false, "last", 11, 1, nullptr},
        {"_Recordset::MoveLast", true, false, "last", 11, 1, nullptr},
        {"_Recordset::MovePrevious", WithoutErrorObject, false, "previous", 11, 1, nullptr},
        {"_Recordset::MoveFirst", true, false, "first", 501, 1, nullptr},
        {"_Recordset::put_Bookmark", WithoutErrorObject, false, "bookmark", 11, 1, nullptr},
        {nullptr, true, true, "last", 11, 1, L"Rowset does not support fetching backward."},
    };
    FakeConnection connection(L"SQLOLEDB.1");
    ProviderSession session(OrdersInterface(), L"ZedbTests.ReportFailures");
    ServerHandle* handle = session.LogOn();
    const ULONG providerReferences = session.provider.References();
    EngineQuery query(L"Orders");
    MethodCalls calls;
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.call ? row.call : "forward-only");
        ScriptableRecordset recordset(Orders(kRows));
        recordset.SetActiveConnection(connection.AsActiveConnection());
        AnswerCalls(session.provider, L"Orders", calls, Object(&recordset));
        if (row.call) recordset.Script().Fail(row.call, E_FAIL, row.withErrorObject);
        recordset.ActForwardOnly(row.forwardOnly);
        {
            ReportOutcome failed;
            RunReport(handle, query, recordset, failed);
            EXPECT_EQ(failed.step, row.step);
            EXPECT_EQ(failed.code, row.code);
            EXPECT_EQ(failed.errors.Count(), row.records);
            if (row.records) {
                const std::string call = row.call ? row.call : "";
                const std::wstring description =
                    row.description ? row.description : std::wstring(call.begin(), call.end()) + L" failed on purpose";
                EXPECT_EQ(failed.errors.head->code, static_cast<uint32_t>(row.code == 400 ? 11 : row.code));
                const std::wstring code = row.forwardOnly ? L"80040e24" : L"80004005";
                EXPECT_EQ(std::wstring(failed.errors.head->text),
                          L"ADO Error Code: 0x" + code +
                              (row.withErrorObject ? L"\nSource: ScriptedADO\nDescription: " + description : L""));
            }
        }
        if (row.call) recordset.Script().Fail(row.call, S_OK);
        recordset.ActForwardOnly(false);
        ReportOutcome next;
        RunReport(handle, query, recordset, next);
        EXPECT_EQ(next.step, "done");
        EXPECT_EQ(next.errors.head, nullptr);
        EXPECT_EQ(next.rows, ExpectedReport(kRows));

        AnswerCalls(session.provider, L"Orders", calls, Variant());
        EXPECT_EQ(recordset.References(), 1u);
        EXPECT_EQ(recordset.FieldsReferences(), 0u);
    }
    EXPECT_EQ(connection.References(), 1u);
    EXPECT_EQ(session.provider.References(), providerReferences);
}

}  // namespace
