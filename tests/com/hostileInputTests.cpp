// What a careless engine can pass through the exports: each pointer argument null, records that
// declare smaller sizes, value kinds, value types, modes and binding kinds out of range, very
// long names and texts, dates that automation cannot hold. Each gives its result code, and a
// whole report on the same handle works afterwards.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ado/adoExports.h"
#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "common/dayNumber.h"
#include "common/duplicateText.h"
#include "engineFlow.h"
#include "support/errorRecords.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

DispatchInterfaceBuilder HostileInterface() {
    DispatchInterfaceBuilder builder(L"IHostile");
    builder.Method(L"Orders", Returns::Recordset).Param(L"region", VT_BSTR).Param(L"since", VT_DATE);
    return builder;
}

// A registered provider whose Orders answers two rows, a logged-on handle, a query that ran,
// and a binding to its first column.
struct EngineSide {
    EngineSide()
        : recordset(BuildRecordset({{L"Id", adInteger, 4}, {L"Name", adVarWChar, 8}},
                                   {{I4(1), Text(L"one")}, {I4(2), Text(L"two")}})),
          session(HostileInterface(), L"ZedbTests.Hostile") {
        handle = session.LogOn();
        AnswerCalls(session.provider, L"Orders", calls, Object(recordset));
        query.Parameter(stringValue).Parameter(dateTimeValue);
        DbErrorInfo* errors = nullptr;
        EXPECT_EQ(DbExecuteQuery(handle, 0, &query.Definition(), nullptr, nullptr, nullptr, &rowset, nullptr, &errors),
                  0);
        const DbFieldBindingInfo request = BindingByPosition(1);
        EXPECT_EQ(DbBindToField(rowset, &request, &binding, &errors), 0);
        EXPECT_EQ(errors, nullptr);
    }
    ~EngineSide() {
        DbFreeFieldBinding(binding);
        DbCloseRowset(rowset);
    }

    // Query, bind by name, read every row: the ids, or the first failing export's code.
    std::wstring Report() {
        ErrorList errors;
        QueryRun run;
        Execute(handle, query, run);
        if (run.result != 0) return L"#query " + std::to_wstring(run.result);
        const DbFieldBindingInfo request = BindingByName(L"Id");
        DbFieldBinding* id = nullptr;
        if (const int32_t bound = DbBindToField(run.rowset, &request, &id, &errors.head))
            return L"#bind " + std::to_wstring(bound);
        std::wstring ids;
        const DbReadRequest positioned{0, 1}, moving{0, 0};
        for (int32_t moved = DbReadRecord(run.rowset, DbReadFirst, nullptr, &positioned, &errors.head); moved == 0;
             moved = DbReadRecord(run.rowset, DbReadNext, nullptr, &moving, &errors.head)) {
            Variant value;
            DbReadVariantColumnValue(run.rowset, id, nullptr, nullptr, value.Get(), &errors.head);
            ids += std::to_wstring(value.Get()->lVal);
        }
        DbFreeFieldBinding(id);
        return ids;
    }

    ScriptableRecordset recordset;
    ProviderSession session;
    ServerHandle* handle = nullptr;
    MethodCalls calls;
    EngineQuery query{L"Orders"};
    DbOpenRowsetHandle* rowset = nullptr;
    DbFieldBinding* binding = nullptr;
};

struct Call {
    const char* label;
    std::function<int32_t()> call;
    int32_t expected;
};

// Calls that succeed free what they made, so that every refusal can be checked for leftovers.
TEST(HostileInput, EveryExportWithEachPointerArgumentNull) {
    EngineSide engine;
    ErrorList errors;
    wchar_t* text = nullptr;
    uint32_t n = 0;
    uint16_t match = 0;
    DbLogonInfo* logon = nullptr;
    DbTableInfo** tables = nullptr;
    DbTableInfo* table = nullptr;
    DbParameterDescription** parameters = nullptr;
    DbFieldDescription** fields = nullptr;
    DbOpenRowsetHandle* rowset = nullptr;
    DbFieldBinding* binding = nullptr;
    ServerHandle* handle = nullptr;
    const LogonInfoOwner owner = MakeLogonInfo(engine.session.registration.ProgId().c_str());
    DbLogonInfo* const info = owner.get();
    ServerHandle* const server = engine.handle;
    DbTableInfo* const orders = &engine.query.Table();
    DbOpenRowsetHandle* const open = engine.rowset;
    const DbFieldBinding* const bound = engine.binding;
    const DbFieldBindingInfo byName = BindingByName(nullptr);
    const DbReadRequest next{0, 0};
    DbErrorInfo** const e = &errors.head;
    Variant value;
    VARIANT* const v = value.Get();
    // A copy of the engine's query definition with one part taken away.
    const auto without = [&](auto change) {
        DbQueryDefinition definition = engine.query.Definition();
        change(definition);
        return DbExecuteQuery(server, 0, &definition, nullptr, nullptr, nullptr, &rowset, nullptr, e);
    };
    DbTableInfo* noTable[1] = {nullptr};
    const auto unnamed = std::unique_ptr<DbTableInfo, void (*)(DbTableInfo*)>(NewTableInfo(), DeleteTableInfo);
    DbTableInfo* unnamedTables[1] = {unnamed.get()};
    // clang-format off
    const std::vector<Call> calls = {
        {"DbInitialize language", [] { const int32_t r = DbInitialize(nullptr, nullptr); DbTerminate(); return r; }, DbSuccess},
        {"DbGetInfo value", [] { return DbGetInfo(nullptr, 1, nullptr); }, DbInvalidArgument},
        {"DbFetchDatabaseType language", [&] { return DbFetchDatabaseType(nullptr, &text); }, DbSuccess},
        {"DbFetchDatabaseType name", [] { return DbFetchDatabaseType(L"", nullptr); }, DbInvalidArgument},
        {"DbFetchLogonUIInfo logon", [&] { return DbFetchLogonUIInfo(nullptr, nullptr, nullptr, nullptr, &logon); }, DbInvalidArgument},
        {"DbFetchLogonUIInfo new logon", [&] { return DbFetchLogonUIInfo(nullptr, info, nullptr, nullptr, nullptr); }, DbInvalidArgument},
        {"DbMatchLogonInfo first", [&] { return DbMatchLogonInfo(nullptr, info, nullptr, nullptr, nullptr, nullptr, &match); }, DbInvalidArgument},
        {"DbMatchLogonInfo second", [&] { return DbMatchLogonInfo(info, nullptr, nullptr, nullptr, nullptr, nullptr, &match); }, DbInvalidArgument},
        {"DbMatchLogonInfo match", [&] { return DbMatchLogonInfo(info, info, nullptr, nullptr, nullptr, nullptr, nullptr); }, DbInvalidArgument},
        {"DbFreeLogonInfo", [] { return DbFreeLogonInfo(nullptr); }, DbSuccess},
        {"DbLogonServer logon", [&] { return DbLogonServer(nullptr, &logon, nullptr, nullptr, L"", &handle, e); }, DbInvalidArgument},
        {"DbLogonServer new logon", [&] { return DbLogonServer(info, nullptr, nullptr, nullptr, L"", &handle, e); }, DbInvalidArgument},
        {"DbLogonServer language", [&] { return DbLogonServer(info, &logon, nullptr, nullptr, nullptr, &handle, e); }, DbSuccess},
        {"DbLogonServer handle", [&] { return DbLogonServer(info, &logon, nullptr, nullptr, L"", nullptr, e); }, DbInvalidArgument},
        {"DbLogonServer errors", [&] { return DbLogonServer(info, &logon, nullptr, nullptr, L"", &handle, nullptr); }, DbSuccess},
        {"DbLogoffServer", [] { return DbLogoffServer(nullptr); }, DbSuccess},
        {"DbFetchServerName handle", [&] { return DbFetchServerName(nullptr, &text); }, DbInvalidArgument},
        {"DbFetchServerName name", [&] { return DbFetchServerName(server, nullptr); }, DbInvalidArgument},
        {"DbFetchTableList handle", [&] { return DbFetchTableList(nullptr, nullptr, nullptr, 0, &tables, &n, nullptr); }, DbInvalidArgument},
        {"DbFetchTableList list", [&] { return DbFetchTableList(server, nullptr, nullptr, 0, nullptr, &n, nullptr); }, DbInvalidArgument},
        {"DbFetchTableList count", [&] { return DbFetchTableList(server, nullptr, nullptr, 0, &tables, nullptr, nullptr); }, DbInvalidArgument},
        {"DbFreeTableList", [] { return DbFreeTableList(nullptr, nullptr); }, DbSuccess},
        {"DbFetchTableInfo name", [&] { return DbFetchTableInfo(nullptr, nullptr, &table); }, DbInvalidArgument},
        {"DbFetchTableInfo table", [] { return DbFetchTableInfo(nullptr, L"Orders", nullptr); }, DbInvalidArgument},
        {"DbFreeTableInfo", [] { return DbFreeTableInfo(nullptr); }, DbSuccess},
        {"DbFetchTableParameters handle", [&] { return DbFetchTableParameters(nullptr, orders, &n, &parameters, e); }, DbInvalidArgument},
        {"DbFetchTableParameters table", [&] { return DbFetchTableParameters(server, nullptr, &n, &parameters, e); }, DbInvalidArgument},
        {"DbFetchTableParameters count", [&] { return DbFetchTableParameters(server, orders, nullptr, &parameters, e); }, DbInvalidArgument},
        {"DbFetchTableParameters list", [&] { return DbFetchTableParameters(server, orders, &n, nullptr, e); }, DbInvalidArgument},
        {"DbFreeParametersList", [] { return DbFreeParametersList(2, nullptr); }, DbSuccess},
        {"DbFetchTableFields handle", [&] { return DbFetchTableFields(nullptr, orders, 0, nullptr, nullptr, &n, &fields, e); }, DbInvalidArgument},
        {"DbFetchTableFields table", [&] { return DbFetchTableFields(server, nullptr, 0, nullptr, nullptr, &n, &fields, e); }, DbInvalidArgument},
        {"DbFetchTableFields parameters", [&] { return DbFetchTableFields(server, orders, 2, nullptr, nullptr, &n, &fields, e); }, DbSuccess},
        {"DbFetchTableFields count", [&] { return DbFetchTableFields(server, orders, 0, nullptr, nullptr, nullptr, &fields, e); }, DbInvalidArgument},
        {"DbFetchTableFields fields", [&] { return DbFetchTableFields(server, orders, 0, nullptr, nullptr, &n, nullptr, e); }, DbInvalidArgument},
        {"DbFreeFieldList", [] { return DbFreeFieldList(2, nullptr); }, DbSuccess},
        {"DbExecuteQuery handle", [&] { return DbExecuteQuery(nullptr, 0, &engine.query.Definition(), nullptr, nullptr, nullptr, &rowset, nullptr, e); }, DbInvalidArgument},
        {"DbExecuteQuery definition", [&] { return DbExecuteQuery(server, 0, nullptr, nullptr, nullptr, nullptr, &rowset, nullptr, e); }, DbInvalidArgument},
        {"DbExecuteQuery rowset", [&] { return DbExecuteQuery(server, 0, &engine.query.Definition(), nullptr, nullptr, nullptr, nullptr, nullptr, e); }, DbInvalidArgument},
        {"DbExecuteQuery tables", [&] { return without([](DbQueryDefinition& d) { d.tables = nullptr; }); }, DbInvalidArgument},
        {"DbExecuteQuery table", [&] { return without([&](DbQueryDefinition& d) { d.tables = noTable; }); }, DbInvalidArgument},
        {"DbExecuteQuery parameters", [&] { return without([](DbQueryDefinition& d) { d.parameters = nullptr; d.parameterValues = nullptr; }); }, DbSuccess},
        {"DbExecuteQuery table name", [&] { return without([&](DbQueryDefinition& d) { d.tables = unnamedTables; d.nParameters = 0; }); }, DbOutOfMemory},
        {"DbCloseRowset", [] { return DbCloseRowset(nullptr); }, DbSuccess},
        {"DbBindToField rowset", [&] { return DbBindToField(nullptr, &byName, &binding, e); }, DbInvalidArgument},
        {"DbBindToField request", [&] { return DbBindToField(open, nullptr, &binding, e); }, DbInvalidArgument},
        {"DbBindToField binding", [&] { return DbBindToField(open, &byName, nullptr, e); }, DbInvalidArgument},
        {"DbBindToField name", [&] { return DbBindToField(open, &byName, &binding, e); }, DbNoSuchField},
        {"DbFreeFieldBinding", [] { return DbFreeFieldBinding(nullptr); }, DbSuccess},
        {"DbReadRecord rowset", [&] { return DbReadRecord(nullptr, DbReadNext, nullptr, &next, e); }, DbInvalidArgument},
        {"DbReadRecord request", [&] { return DbReadRecord(open, DbReadNext, nullptr, nullptr, e); }, DbInvalidArgument},
        {"DbReadRecord bookmark", [&] { return DbReadRecord(open, DbReadBookmark, nullptr, &next, e); }, DbInvalidArgument},
        {"DbReadVariantColumnValue rowset", [&] { return DbReadVariantColumnValue(nullptr, bound, nullptr, nullptr, v, e); }, DbInvalidArgument},
        {"DbReadVariantColumnValue binding", [&] { return DbReadVariantColumnValue(open, nullptr, nullptr, nullptr, v, e); }, DbInvalidArgument},
        {"DbReadVariantColumnValue value", [&] { return DbReadVariantColumnValue(open, bound, nullptr, nullptr, nullptr, e); }, DbInvalidArgument},
        {"DbFreeString", [] { return DbFreeString(nullptr); }, DbSuccess},
        {"DbFreeErrorInfo", [] { return DbFreeErrorInfo(nullptr); }, DbSuccess},
    };
    // clang-format on
    for (const Call& row : calls) {
        SCOPED_TRACE(row.label);
        const int32_t result = row.call();
        EXPECT_EQ(result, row.expected);
        // Nothing handed out on a refusal.
        if (result != DbSuccess) {
            EXPECT_EQ(text, nullptr);
            EXPECT_EQ(logon, nullptr);
            EXPECT_EQ(handle, nullptr);
            EXPECT_EQ(rowset, nullptr);
        }
        EXPECT_EQ(binding, nullptr);
        DbFreeString(std::exchange(text, nullptr));
        DbFreeLogonInfo(std::exchange(logon, nullptr));
        DbLogoffServer(std::exchange(handle, nullptr));
        DbCloseRowset(std::exchange(rowset, nullptr));
        DbFreeFieldList(n, std::exchange(fields, nullptr));
        n = 0;
        EXPECT_EQ(engine.Report(), L"12");
    }
}

// The query with region and since given by the engine as these values; the provider's
// arguments as "region|since", or the failing code and the record's text. The table's fields,
// asked with the same values, must fail alike.
// A field of the region's value record set as the engine set it for the query, and put back
// before the record is freed.
struct Tamper {
    uint32_t DbValue::*field = nullptr;
    uint32_t value = 0;
};

std::wstring QueryWith(EngineSide& engine, const DbValue* region, const DbValue* since, Tamper tamper = {},
                       uint32_t parameterRecordSize = sizeof(DbParameterDescription)) {
    EngineQuery query(L"Orders");
    query.Parameter(stringValue, region).Parameter(dateTimeValue, since);
    query.Parameters()[1]->name = DuplicateText(L"since");
    for (uint32_t i = 0; i < query.Count(); ++i) query.Parameters()[i]->size = parameterRecordSize;
    DbValue& tampered = *query.Values()[0];
    if (tamper.field) std::swap(tampered.*tamper.field, tamper.value);
    QueryRun run;
    Execute(engine.handle, query, run);
    ErrorList fieldErrors;
    uint32_t count = 0;
    DbFieldDescription** fields = nullptr;
    const int32_t described = DbFetchTableFields(engine.handle, &query.Table(), query.Count(), query.Parameters(),
                                                 query.Values(), &count, &fields, &fieldErrors.head);
    DbFreeFieldList(count, fields);
    if (tamper.field) std::swap(tampered.*tamper.field, tamper.value);
    if (run.result != DbSuccess) {
        EXPECT_EQ(described, run.result);
        EXPECT_EQ(RecordTexts(fieldErrors.head), RecordTexts(run.errors.head));
        return L"#" + std::to_wstring(run.result) + L" " + RecordTexts(run.errors.head);
    }
    const VARIANT& regionArgument = *engine.calls.arguments[1].Get();
    const VARIANT& sinceArgument = *engine.calls.arguments[0].Get();
    return std::wstring(regionArgument.vt == VT_BSTR ? regionArgument.bstrVal : L"?") + L"|" +
           std::to_wstring(sinceArgument.vt == VT_DATE ? sinceArgument.date : -1.0);
}

DbValue DateTimeValue(int32_t day, int32_t seconds) {
    DbDateTime moment{day, seconds, 0};
    return Discrete(dateTimeValue, moment);
}

TEST(HostileInput, ValuesOutOfRangeAndRecordsDeclaringSmallerSizes) {
    EngineSide engine;
    const DbValue north = DiscreteText(L"North");
    const DbValue noon2026 = DateTimeValue(DayNumberFromDate(2026, 2, 1), 12 * 3600);
    const std::wstring expected = L"North|" + std::to_wstring(46054.5);
    EXPECT_EQ(QueryWith(engine, &north, &noon2026), expected);
    // Older engines declare shorter records; the fields read lie in every layout.
    EXPECT_EQ(QueryWith(engine, &north, &noon2026, {}, 56), expected);
    EXPECT_EQ(QueryWith(engine, &north, &noon2026, {&DbValue::size, 0}), expected);
    // A kind that is no discrete value counts as no value: the parameter's default is passed.
    EXPECT_EQ(QueryWith(engine, &north, &noon2026, {&DbValue::kind, 99}), L"|" + std::to_wstring(46054.5));
    EXPECT_EQ(QueryWith(engine, &north, &noon2026, {&DbValue::valueType, 999}),
              L"#808 The parameter type can't be identified.\n Please use basic data types.; ");
    // Dates automation cannot hold are refused rather than passed as another day, and the record
    // names the parameter; a value without a date keeps its time on day 0.
    const std::wstring refused = L"#600 The value of the parameter 'since' cannot be passed to the provider: ";
    for (int32_t year : {10000, 99, -4713}) {
        const DbValue distant = DateTimeValue(DayNumberFromDate(year, 1, 1), 0);
        EXPECT_EQ(QueryWith(engine, &north, &distant), refused + L"automation dates hold the years 100 to 9999 only.; ")
            << year;
    }
    for (int32_t seconds : {24 * 3600, -1, 2000000000}) {
        const DbValue notATime = DateTimeValue(DayNumberFromDate(2026, 2, 1), seconds);
        EXPECT_EQ(QueryWith(engine, &north, &notATime), refused + L"it is not a valid date or time.; ") << seconds;
    }
    const DbValue timeOnly = DateTimeValue(kNoDate, 6 * 3600);
    EXPECT_EQ(QueryWith(engine, &north, &timeOnly), L"North|" + std::to_wstring(0.25));
    DECIMAL badScale{};  // VarR8FromDec refuses it
    badScale.scale = 29;
    badScale.Lo32 = 5;
    const DbValue decimal = Discrete(decimalValue, badScale);
    EXPECT_EQ(QueryWith(engine, &north, &decimal), refused + L"the decimal cannot be converted to a number.; ");

    // Modes, binding kinds and information identifiers that do not exist.
    ErrorList errors;
    const DbReadRequest request{0, 0};
    for (int32_t mode : {-1, 0, 6, 99})
        EXPECT_EQ(DbReadRecord(engine.rowset, mode, nullptr, &request, &errors.head), DbFailed) << mode;
    DbFieldBindingInfo oddKindBinding{};
    oddKindBinding.bindingKind = 7;
    DbFieldBinding* binding = nullptr;
    EXPECT_EQ(DbBindToField(engine.rowset, &oddKindBinding, &binding, &errors.head), DbFailed);
    EXPECT_EQ(binding, nullptr);
    uint32_t value = 0;
    for (int32_t id : {-1, 100000}) EXPECT_EQ(DbGetInfo(nullptr, id, &value), DbNoInfo) << id;
    EXPECT_EQ(errors.head, nullptr);
    EXPECT_EQ(engine.Report(), L"12");
}

TEST(HostileInput, VeryLongNamesAndTexts) {
    EngineSide engine;
    const std::wstring longName(70000, L'N');
    ErrorList errors;
    {
        const LogonInfoOwner logonInfo = MakeLogonInfo(longName.c_str());
        DbLogonInfo* newLogonInfo = nullptr;
        ServerHandle* handle = nullptr;
        EXPECT_EQ(
            DbLogonServer(logonInfo.get(), &newLogonInfo, nullptr, nullptr, longName.c_str(), &handle, &errors.head),
            DbInvalidArgument);
        EXPECT_EQ(handle, nullptr);
        DbFreeLogonInfo(newLogonInfo);
    }
    wchar_t* typeName = nullptr;
    EXPECT_EQ(DbFetchDatabaseType(longName.c_str(), &typeName), DbSuccess);
    EXPECT_STRNE(typeName, L"");
    DbFreeString(typeName);

    EngineQuery longTable(longName.c_str());
    QueryRun run;
    Execute(engine.handle, longTable, run);
    EXPECT_EQ(run.result, DbMethodNotExecuted);
    uint32_t count = 0;
    DbParameterDescription** parameters = nullptr;
    EXPECT_EQ(DbFetchTableParameters(engine.handle, &longTable.Table(), &count, &parameters, &errors.head), DbFailed);
    DbFreeParametersList(count, parameters);

    const DbFieldBindingInfo request = BindingByName(longName.c_str());
    DbFieldBinding* binding = nullptr;
    EXPECT_EQ(DbBindToField(engine.rowset, &request, &binding, &errors.head), DbNoSuchField);
    EXPECT_EQ(binding, nullptr);

    // A text of a million characters reaches the provider whole.
    const std::wstring longText(1000000, L'x');
    const DbValue region = DiscreteText(longText.c_str());
    const DbValue since = DateTimeValue(DayNumberFromDate(2026, 2, 1), 0);
    EXPECT_EQ(QueryWith(engine, &region, &since), longText + L"|" + std::to_wstring(46054.0));
    EXPECT_EQ(engine.Report(), L"12");
}

}  // namespace
