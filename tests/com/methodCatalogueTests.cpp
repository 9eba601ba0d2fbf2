// Tables of a provider: the methods whose result is a _Recordset, listed through DbFetchTableList.

#include <gtest/gtest.h>

#include <vector>

#include "com/serverHandle.h"
#include "common/propcoll.h"
#include "providerSession.h"

namespace {

// Dispatch functions 0 to 6 are the inherited IUnknown and IDispatch ones.
constexpr int32_t kFirstOwnFunction = 7;

DispatchInterfaceBuilder CatalogueInterface() {
    DispatchInterfaceBuilder builder(L"ICatalogue");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"minimum", VT_I4);
    builder.Method(L"Count", Returns(VT_I4));
    builder.Method(L"Reset", Returns::Void);
    builder.PropertyGet(L"AllOrders", Returns::Recordset);
    builder.Method(L"WithOutput", Returns::Recordset).Param(L"total", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT);
    builder.Method(L"WithInOut", Returns::Recordset)
        .Param(L"cursor", DeclaredType::Pointer(VT_I4), PARAMFLAG_FIN | PARAMFLAG_FOUT);
    builder.Method(L"WithRetval", Returns::Recordset)
        .Param(L"result", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
    builder.Method(L"OlderInterface", Returns::Dispatch(L"_Recordset15"));
    builder.Method(L"Coclass", Returns::Coclass(L"Recordset"));
    builder.Method(L"NoParameters", Returns::Recordset);
    return builder;
}

struct TableList {
    int32_t result = -1;
    uint32_t count = 0xFFFFFFFF;
    DbTableInfo** list = reinterpret_cast<DbTableInfo**>(0x1);

    ~TableList() {
        if (list != reinterpret_cast<DbTableInfo**>(0x1)) DbFreeTableList(&count, list);
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (uint32_t i = 0; i < count && list; ++i) names.push_back(list[i]->firstText);
        return names;
    }
};

void FetchTables(ServerHandle* handle, TableList& tables) {
    tables.result = DbFetchTableList(handle, nullptr, nullptr, 0, &tables.list, &tables.count, nullptr);
}

void ExpectTypeInfoBlocksReturned(FakeProvider& provider) {
    EXPECT_EQ(provider.TypeInfo().OutstandingTypeAttrs(), 0u);
    EXPECT_EQ(provider.TypeInfo().OutstandingFuncDescs(), 0u);
    EXPECT_EQ(provider.TypeInfo().ReferencedTypeInfoReferences(), 0u);
}

TEST(MethodCatalogue, ListsExactlyTheMethodsReturningRecordsetsInOrder) {
    ProviderSession session(CatalogueInterface(), L"ZedbTests.Catalogue");
    ServerHandle* handle = session.LogOn();
    ASSERT_NE(handle, nullptr);
    const std::vector<std::wstring> expected = {L"GetCustomers", L"AllOrders", L"WithInOut", L"NoParameters"};
    for (int round = 0; round < 2; ++round) {
        TableList tables;
        FetchTables(handle, tables);
        ASSERT_EQ(tables.result, 0);
        EXPECT_EQ(tables.Names(), expected);
        for (uint32_t i = 0; i < tables.count; ++i) {
            const DbTableInfo& table = *tables.list[i];
            EXPECT_STREQ(table.secondText, table.firstText);
            EXPECT_STREQ(table.thirdText, table.firstText);
            EXPECT_NE(table.secondText, table.firstText);
            EXPECT_EQ(table.kind, 5u);
            EXPECT_EQ(table.size, 112u);
            EXPECT_EQ(table.ownsText, 1u);
            EXPECT_EQ(table.entryCount, 0u);
            EXPECT_EQ(table.field100, 0u);
            EXPECT_EQ(table.field102, 0u);
            ASSERT_NE(table.properties, nullptr);
            EXPECT_EQ(table.properties->count, 0u);
        }
    }
    const std::map<SWCharString, int32_t> index = {{L"AllOrders", kFirstOwnFunction + 3},
                                                   {L"GetCustomers", kFirstOwnFunction},
                                                   {L"NoParameters", kFirstOwnFunction + 9},
                                                   {L"WithInOut", kFirstOwnFunction + 5}};
    EXPECT_EQ(handle->methodIndex, index);
    ExpectTypeInfoBlocksReturned(session.provider);
}

TEST(MethodCatalogue, ProvidersWithoutTablesAndNonDispatchTypeInformation) {
    DispatchInterfaceBuilder plain(L"IPlain");
    plain.Method(L"Count", Returns(VT_I4));
    DispatchInterfaceBuilder vtableOnly(L"IVtable", TKIND_INTERFACE);
    vtableOnly.Method(L"GetCustomers", Returns::Recordset);
    for (const DispatchInterfaceBuilder* builder : {&plain, &vtableOnly}) {
        ProviderSession session(*builder, L"ZedbTests.NoTables");
        TableList tables;
        FetchTables(session.LogOn(), tables);
        EXPECT_EQ(tables.result, 0);
        EXPECT_EQ(tables.count, 0u);
        EXPECT_EQ(tables.list, nullptr);
        ExpectTypeInfoBlocksReturned(session.provider);
    }
}

struct FailureRow {
    const char* label;
    void (*fail)(ScriptableTypeInfo& typeInfo, HRESULT result);
    int32_t result;  // 11: the list fails; 0: the walk goes on without the unreadable methods
};

const FailureRow kFailures[] = {
    {"GetTypeAttr", [](ScriptableTypeInfo& t, HRESULT r) { t.FailGetTypeAttr(r); }, 11},
    {"GetFuncDesc of one function", [](ScriptableTypeInfo& t, HRESULT r) { t.FailGetFuncDesc(r, kFirstOwnFunction + 4); },
     11},
    {"GetRefTypeInfo", [](ScriptableTypeInfo& t, HRESULT r) { t.FailGetRefTypeInfo(r); }, 0},
    {"GetDocumentation", [](ScriptableTypeInfo& t, HRESULT r) { t.FailGetDocumentation(r); }, 0},
    {"GetNames", [](ScriptableTypeInfo& t, HRESULT r) { t.FailGetNames(r); }, 0},
};

TEST(MethodCatalogue, RefusedTypeInformationGivesNoListAndReturnsEveryBlock) {
    ProviderSession session(CatalogueInterface(), L"ZedbTests.Failing");
    ServerHandle* handle = session.LogOn();
    for (const FailureRow& row : kFailures) {
        SCOPED_TRACE(row.label);
        row.fail(session.provider.TypeInfo(), E_FAIL);
        TableList tables;
        FetchTables(handle, tables);
        EXPECT_EQ(tables.result, row.result);
        EXPECT_EQ(tables.count, 0u);
        EXPECT_EQ(tables.list, nullptr);
        row.fail(session.provider.TypeInfo(), S_OK);
        ExpectTypeInfoBlocksReturned(session.provider);
    }
}

TEST(MethodCatalogue, FunctionsWithoutANameAreNotListed) {
    ProviderSession session(CatalogueInterface(), L"ZedbTests.Unnamed");
    ServerHandle* handle = session.LogOn();
    session.provider.TypeInfo().DropName(0);
    TableList tables;
    FetchTables(handle, tables);
    EXPECT_EQ(tables.result, 0);
    EXPECT_EQ(tables.count, 0u);
    EXPECT_TRUE(handle->methodIndex.empty());
    session.provider.TypeInfo().DropName(std::nullopt);
    ExpectTypeInfoBlocksReturned(session.provider);
}

TEST(MethodCatalogue, TableInformationForAnyNameAndNullArguments) {
    DriverInUse driver;
    DbTableInfo* table = nullptr;
    ASSERT_EQ(DbFetchTableInfo(nullptr, L"NoSuchMethod", &table), 0);
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table->firstText, L"NoSuchMethod");
    EXPECT_STREQ(table->thirdText, L"NoSuchMethod");
    EXPECT_EQ(table->kind, 5u);
    EXPECT_EQ(DbFreeTableInfo(table), 0);
    EXPECT_EQ(DbFreeTableInfo(nullptr), 0);

    table = reinterpret_cast<DbTableInfo*>(0x1);
    EXPECT_EQ(DbFetchTableInfo(nullptr, nullptr, &table), 12);
    EXPECT_EQ(table, nullptr);

    TableList tables;
    FetchTables(nullptr, tables);
    EXPECT_EQ(tables.result, 12);
    EXPECT_EQ(tables.count, 0u);
    EXPECT_EQ(tables.list, nullptr);
    // A null list is accepted without reading the count.
    EXPECT_EQ(DbFreeTableList(nullptr, nullptr), 0);
}

}  // namespace
