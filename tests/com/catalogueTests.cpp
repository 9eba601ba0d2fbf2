// Logon to a registered provider, its tables and their parameters through the exports: each
// outcome is compared as one text (engineFlow.h), every reference and type-information block
// comes back.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "com/serverHandle.h"
#include "common/propcoll.h"
#include "engineFlow.h"

namespace {

// Dispatch functions 0 to 6 are the inherited IUnknown and IDispatch ones.
constexpr int32_t kFirstOwnFunction = 7;
const wchar_t kTypeRefused[] = L" [808 The parameter type can't be identified.\n Please use basic data types.]";

// References held to the provider object and to its type information, the test's own included.
std::string Held(FakeProvider& provider) {
    return std::to_string(provider.References()) + "/" + std::to_string(provider.TypeInfo().References());
}

void ExpectBlocksReturned(FakeProvider& provider) {
    EXPECT_EQ(provider.TypeInfo().OutstandingTypeAttrs(), 0u);
    EXPECT_EQ(provider.TypeInfo().OutstandingFuncDescs(), 0u);
    EXPECT_EQ(provider.TypeInfo().ReferencedTypeInfoReferences(), 0u);
}

struct Logon {
    int32_t result;
    std::wstring programIdKept, serverName;
    ServerHandle* handle;
};

Logon LogOn(const wchar_t* programId, ErrorList& errors, const wchar_t* language = L"") {
    LogonInfoOwner logonInfo = MakeLogonInfo(programId);
    DbLogonInfo* newLogonInfo = nullptr;
    ServerHandle* handle = reinterpret_cast<ServerHandle*>(0x1);
    const int32_t result =
        DbLogonServer(logonInfo.get(), &newLogonInfo, nullptr, nullptr, language, &handle, &errors.head);
    const LogonInfoOwner kept(newLogonInfo);
    wchar_t* name = nullptr;
    std::wstring serverName = DbFetchServerName(handle, &name) == 0 ? name : L"<none>";
    DbFreeString(name);
    return {result, ProgramIdOf(kept.get()), serverName, handle};
}

DispatchInterfaceBuilder SalesInterface() {
    DispatchInterfaceBuilder builder(L"ISales");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR);
    return builder;
}

TEST(Logon, ByProgIdWithoutRegardToCaseAndByBraceClsidHoldingOneReferenceEach) {
    ProviderSession session(SalesInterface(), L"ZedbTests.Sales");
    for (std::wstring programId : {std::wstring(L"zedbtests.SALES"), session.registration.ClsidString()}) {
        ErrorList errors;
        const Logon logon = LogOn(programId.c_str(), errors);
        ASSERT_EQ(logon.result, 0);
        EXPECT_EQ(errors.head, nullptr);
        EXPECT_EQ(logon.programIdKept + L"|" + logon.serverName, programId + L"|" + programId);
        EXPECT_TRUE(logon.handle->methodIndex.empty());
        EXPECT_EQ(Held(session.provider), "2/2");
        std::vector<std::string> released;
        session.provider.LogReleasesTo(released, "provider");
        session.provider.TypeInfo().LogReleasesTo(released, "type information");
        EXPECT_EQ(DbLogoffServer(logon.handle), 0);
        EXPECT_EQ(released, (std::vector<std::string>{"provider", "type information"}));
    }
    EXPECT_EQ(session.registration.Factory().CreateInstanceCalls(), 2);
}

TEST(Logon, FailuresGiveTheirCodeAndRecordInFrontOfTheCallersAndKeepNoReference) {
    ProviderSession session(SalesInterface(), L"ZedbTests.Failing");
    const struct {
        const wchar_t* programId;
        const wchar_t* language;
        HRESULT createFailure, typeInfoFailure;
        const wchar_t* outcome;  // result, records before the caller's, the Program ID kept
    } rows[] = {
        {nullptr, L"de-DE", S_OK, S_OK, L"202 [202 Please enter a Program ID] [999 earlier] <none>"},
        {L"", L"de-DE", S_OK, S_OK, L"202 [202 Please enter a Program ID] [999 earlier] <none>"},
        // CLSIDFromProgID and CLSIDFromString both refuse it.
        {L"ZedbTests.NoSuchClass", L"", S_OK, S_OK, L"12 [999 earlier] ZedbTests.NoSuchClass"},
        {L"ZedbTests.Failing", L"", CO_E_SERVER_EXEC_FAILURE, S_OK,
         L"11 [230 Failed to create an instance of the COM object.] [999 earlier] ZedbTests.Failing"},
        {L"ZedbTests.Failing", L"", S_OK, TYPE_E_ELEMENTNOTFOUND, L"202 [999 earlier] ZedbTests.Failing"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.outcome);
        session.registration.Factory().FailCreateInstance(row.createFailure);  // CoCreateInstance fails
        session.provider.FailGetTypeInfo(row.typeInfoFailure);
        ErrorList errors;
        AddErrorInfo(&errors.head, 999, L"earlier");
        const Logon logon = LogOn(row.programId, errors, row.language);
        EXPECT_EQ(std::to_wstring(logon.result) + Records(errors.head) + L" " + logon.programIdKept, row.outcome);
        EXPECT_EQ(logon.handle, nullptr);
        EXPECT_EQ(Held(session.provider), "1/1");
    }
    EXPECT_EQ(session.registration.Factory().CreateInstanceCalls(), 2) << "the refused and the one without type information";
    // A record without a property collection names no Program ID.
    LogonInfoOwner bare = MakeLogonInfo(nullptr);
    PropertyCollectionDeleter()(std::exchange(bare->properties, nullptr));
    DbLogonInfo* newLogonInfo = nullptr;
    ServerHandle* handle = nullptr;
    EXPECT_EQ(DbLogonServer(bare.get(), &newLogonInfo, nullptr, nullptr, L"", &handle, nullptr), 202);
    DbFreeLogonInfo(newLogonInfo);
}

DispatchInterfaceBuilder CatalogueInterface() {
    DispatchInterfaceBuilder builder(L"ICatalogue");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"minimum", VT_I4);
    builder.Method(L"Count", Returns(VT_I4)).Param(L"filter", VT_BSTR);
    builder.Method(L"Reset", Returns::Void);
    builder.PropertyGet(L"AllOrders", Returns::Recordset);
    builder.Method(L"WithOutput", Returns::Recordset)
        .Param(L"from", VT_DATE)
        .Param(L"total", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT)
        .Param(L"region", VT_BSTR);
    builder.Method(L"WithInOut", Returns::Recordset)
        .Param(L"cursor", DeclaredType::Pointer(VT_I4), PARAMFLAG_FIN | PARAMFLAG_FOUT);
    builder.Method(L"WithRetval", Returns::Recordset)
        .Param(L"result", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
    builder.Method(L"OlderInterface", Returns::Dispatch(L"_Recordset15"));
    builder.Method(L"Coclass", Returns::Coclass(L"Recordset"));
    builder.Method(L"NoParameters", Returns::Recordset);
    builder.Method(L"WithArray", Returns::Recordset).Param(L"fixed", DeclaredType::CArray(VT_I4, 4));
    return builder;
}

TEST(Catalogue, TablesAreTheMethodsReturningARecordsetWithInputsOnlyInOrder) {
    ProviderSession session(CatalogueInterface(), L"ZedbTests.Catalogue");
    ServerHandle* handle = session.LogOn();
    for (int round = 0; round < 2; ++round)
        EXPECT_EQ(session.Tables(), L"0 GetCustomers AllOrders WithInOut NoParameters WithArray");
    const std::map<SWCharString, int32_t> index = {{L"GetCustomers", kFirstOwnFunction},
                                                   {L"AllOrders", kFirstOwnFunction + 3},
                                                   {L"WithInOut", kFirstOwnFunction + 5},
                                                   {L"NoParameters", kFirstOwnFunction + 9},
                                                   {L"WithArray", kFirstOwnFunction + 10}};
    EXPECT_EQ(handle->methodIndex, index);

    // The records the engine gets, whether listed or asked for by name.
    uint32_t count = 0;
    DbTableInfo** tables = nullptr;
    ASSERT_EQ(DbFetchTableList(handle, nullptr, nullptr, 0, &tables, &count, nullptr), 0);
    DbTableInfo* named = nullptr;
    ASSERT_EQ(DbFetchTableInfo(nullptr, L"NoSuchMethod", &named), 0);
    const auto record = [](const DbTableInfo& table) {
        EXPECT_NE(table.secondText, table.firstText) << "copies of their own";
        return std::wstring(table.firstText) + L"/" + table.secondText + L"/" + table.thirdText + L" kind " +
               std::to_wstring(table.kind) + L" size " + std::to_wstring(table.size) + L" owns " +
               std::to_wstring(table.ownsText) + L" entries " + std::to_wstring(table.entryCount) + L" " +
               std::to_wstring(table.field100) + L" " + std::to_wstring(table.field102) + L" properties " +
               std::to_wstring(table.properties->count);
    };
    EXPECT_EQ(record(*tables[0]), L"GetCustomers/GetCustomers/GetCustomers kind 5 size 112 owns 1 entries 0 0 0 properties 0");
    EXPECT_EQ(record(*named), L"NoSuchMethod/NoSuchMethod/NoSuchMethod kind 5 size 112 owns 1 entries 0 0 0 properties 0");
    DbFreeTableInfo(named);
    DbFreeTableList(&count, tables);
    ExpectBlocksReturned(session.provider);
}

TEST(Catalogue, ProvidersWithoutTablesAndRefusedTypeInformation) {
    DispatchInterfaceBuilder plain(L"IPlain");
    plain.Method(L"Count", Returns(VT_I4));
    DispatchInterfaceBuilder vtableOnly(L"IVtable", TKIND_INTERFACE);
    vtableOnly.Method(L"GetCustomers", Returns::Recordset);
    for (const DispatchInterfaceBuilder* builder : {&plain, &vtableOnly}) {
        ProviderSession session(*builder, L"ZedbTests.NoTables");
        session.LogOn();
        EXPECT_EQ(session.Tables(), L"0");
        ExpectBlocksReturned(session.provider);
    }

    ProviderSession session(CatalogueInterface(), L"ZedbTests.Failing");
    session.LogOn();
    ScriptableTypeInfo& typeInfo = session.provider.TypeInfo();
    using Failure = void (*)(ScriptableTypeInfo&, HRESULT);
    const struct {
        Failure fail;
        const wchar_t* tables;  // the walk fails, or goes on without the methods it cannot read
        const wchar_t* parameters;
    } rows[] = {
        {[](ScriptableTypeInfo& t, HRESULT r) { t.FailGetTypeAttr(r); }, L"11", L"11 <untouched>"},
        {[](ScriptableTypeInfo& t, HRESULT r) { t.FailGetFuncDesc(r); }, L"11", L"11 <untouched>"},
        {[](ScriptableTypeInfo& t, HRESULT r) { t.FailGetRefTypeInfo(r); }, L"0", L"0 minimum:4/4/0"},
        {[](ScriptableTypeInfo& t, HRESULT r) { t.FailGetDocumentation(r); }, L"0", L"0 minimum:4/4/0"},
        {[](ScriptableTypeInfo& t, HRESULT r) { t.FailGetNames(r); }, L"0", L"11 <untouched>"},
        // A function whose name is left out is no table; its parameters have no name.
        {[](ScriptableTypeInfo& t, HRESULT r) { t.DropName(r == S_OK ? std::nullopt : std::optional<UINT>(0)); }, L"0",
         L"11 <untouched>"},
        // The list fails at WithOutput, keeping the tables before it; the parameters are found there.
        {[](ScriptableTypeInfo& t, HRESULT r) { t.FailGetFuncDesc(r, kFirstOwnFunction + 4); }, L"11",
         L"0 minimum:4/4/0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.tables << " " << row.parameters);
        row.fail(typeInfo, E_FAIL);
        EXPECT_EQ(session.Tables(), row.tables);
        EXPECT_EQ(session.Parameters(L"GetCustomers"), row.parameters);
        row.fail(typeInfo, S_OK);
        ExpectBlocksReturned(session.provider);
    }
}

TEST(Parameters, InputsOnlyByNameUntilATableListIsFetchedThenByTheIndex) {
    ProviderSession session(CatalogueInterface(), L"ZedbTests.Shapes");
    session.LogOn();
    // Before a table list: any function of that exact name.
    EXPECT_EQ(session.Parameters(L"Count"), L"0 filter:11/512/2");
    EXPECT_EQ(session.Parameters(L"getcustomers"), L"11 <untouched>");
    EXPECT_EQ(session.Tables(), L"0 GetCustomers AllOrders WithInOut NoParameters WithArray");
    // From then on only tables; an output-only parameter keeps WithOutput out of them.
    EXPECT_EQ(session.Parameters(L"Count"), L"11 <untouched>");
    EXPECT_EQ(session.Parameters(L"WithOutput"), L"11 <untouched>");
    EXPECT_EQ(session.Parameters(L"WithInOut"), L"0 cursor:4/4/0");
    EXPECT_EQ(session.Parameters(L"WithArray"), L"0 ~");
    EXPECT_EQ(session.Parameters(L"NoParameters"), L"0");

    ProviderSession before(CatalogueInterface(), L"ZedbTests.Shapes2");
    before.LogOn();
    EXPECT_EQ(before.Parameters(L"WithOutput"), L"0 from:15/12/0 ~ region:11/512/2");
    // A parameter whose name the type information leaves out has none.
    before.provider.TypeInfo().DropName(3);
    EXPECT_EQ(before.Parameters(L"WithOutput"), L"0 from:15/12/0 ~ -:11/512/2");
    before.provider.TypeInfo().DropName(std::nullopt);
    ExpectBlocksReturned(before.provider);
}

TEST(Parameters, EveryAutomationBaseTypeIsDescribedOrRefusedWith808) {
    const struct {
        DeclaredType declared;
        const wchar_t* described;  // type/length/options, or null: refused
    } rows[] = {
        {VT_I2, L"2/2/0"},         {VT_I1, L"2/2/0"},          {VT_I4, L"4/4/0"},
        {VT_R4, L"6/8/0"},         {VT_R8, L"6/8/0"},          {VT_CY, L"7/8/0"},
        {VT_DATE, L"15/12/0"},     {VT_BSTR, L"11/512/2"},     {VT_BOOL, L"8/2/0"},
        {VT_DECIMAL, L"16/16/0"},  {VT_UI1, L"1/1/0"},         {VT_UI2, L"3/2/0"},
        {VT_UI4, L"5/4/0"},        {VT_I8, L"17/8/0"},         {VT_UI8, L"18/8/0"},
        {DeclaredType::Pointer(VT_R8), L"6/8/0"},
        {DeclaredType::Pointer(DeclaredType::Pointer(VT_BSTR)), L"11/512/2"},
        {VT_DISPATCH, nullptr},    {VT_ERROR, nullptr},        {VT_VARIANT, nullptr},
        {VT_UNKNOWN, nullptr},     {VT_INT, nullptr},          {VT_UINT, nullptr},
        {VT_HRESULT, nullptr},     {VT_LPWSTR, nullptr},       {DeclaredType::Pointer(VT_VARIANT), nullptr},
        {DeclaredType::SafeArray(VT_BSTR), nullptr},           {DeclaredType::Dispatch(L"IOther"), nullptr},
    };
    for (const auto& row : rows) {
        DispatchInterfaceBuilder builder(L"ITyped");
        builder.Method(L"Query", Returns::Recordset).Param(L"before", VT_I4).Param(L"typed", row.declared);
        ProviderSession session(builder, L"ZedbTests.Typed");
        session.LogOn();
        const std::wstring expected = row.described ? L"0 before:4/4/0 typed:" + std::wstring(row.described)
                                                    : L"808 before:4/4/0 ~" + std::wstring(kTypeRefused);
        EXPECT_EQ(session.Parameters(L"Query"), expected);
    }
    // The record's other fields as the engine expects them.
    ProviderSession session(SalesInterface(), L"ZedbTests.Record");
    DbTableInfo* table = nullptr;
    ASSERT_EQ(DbFetchTableInfo(nullptr, L"GetCustomers", &table), 0);
    uint32_t count = 0;
    DbParameterDescription** list = nullptr;
    ASSERT_EQ(DbFetchTableParameters(session.LogOn(), table, &count, &list, nullptr), 0);
    const DbParameterDescription& country = *list[0];
    EXPECT_NE(country.secondName, country.name) << "a copy of its own";
    EXPECT_EQ(std::wstring(country.secondName) + L" " + std::to_wstring(country.fieldAt32) + L" " +
                  std::to_wstring(country.wordsAt56[9]) + L" size " + std::to_wstring(country.size) +
                  (country.currentValue ? L" with a value" : L""),
              L"country 1 1 size 120");
    DbFreeParametersList(count, list);
    DbFreeTableInfo(table);
}

}  // namespace
