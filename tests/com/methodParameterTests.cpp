// A table's parameters through DbFetchTableParameters: which are described, how, and which are refused.

#include <gtest/gtest.h>

#include <vector>

#include "com/serverHandle.h"
#include "common/dbvalue.h"
#include "providerSession.h"

namespace {

struct Parameters {
    int32_t result = -1;
    uint32_t count = 0xFFFFFFFF;
    DbParameterDescription** list = nullptr;
    ErrorList errors;

    ~Parameters() { DbFreeParametersList(count == 0xFFFFFFFF ? 0 : count, list); }
};

void FetchParameters(ServerHandle* handle, const wchar_t* method, Parameters& parameters) {
    DbTableInfo* table = nullptr;
    ASSERT_EQ(DbFetchTableInfo(nullptr, method, &table), 0);
    parameters.result = DbFetchTableParameters(handle, table, &parameters.count, &parameters.list,
                                               &parameters.errors.head);
    DbFreeTableInfo(table);
}

struct TypeRow {
    const char* label;
    DeclaredType declared;
    uint32_t valueType;  // noValueType: refused with 808
    uint32_t length;
    uint32_t typeOptions;
};

const TypeRow kTypeRows[] = {
    {"I2", VT_I2, int16sValue, 2, 0},
    {"I1", VT_I1, int16sValue, 2, 0},
    {"I4", VT_I4, int32sValue, 4, 0},
    {"R4", VT_R4, numberValue, 8, 0},
    {"R8", VT_R8, numberValue, 8, 0},
    {"CY", VT_CY, currencyValue, 8, 0},
    {"DATE", VT_DATE, dateTimeValue, 12, 0},
    {"BSTR", VT_BSTR, stringValue, 512, 0x0002},
    {"BOOL", VT_BOOL, booleanValue, 2, 0},
    {"DECIMAL", VT_DECIMAL, decimalValue, 16, 0},
    {"UI1", VT_UI1, int8uValue, 1, 0},
    {"UI2", VT_UI2, int16uValue, 2, 0},
    {"UI4", VT_UI4, int32uValue, 4, 0},
    {"I8", VT_I8, int64sValue, 8, 0},
    {"UI8", VT_UI8, int64uValue, 8, 0},
    {"pointer to R8", DeclaredType::Pointer(VT_R8), numberValue, 8, 0},
    {"pointer to pointer to BSTR", DeclaredType::Pointer(DeclaredType::Pointer(VT_BSTR)), stringValue, 512, 0x0002},
    {"DISPATCH", VT_DISPATCH, noValueType, 0, 0},
    {"ERROR", VT_ERROR, noValueType, 0, 0},
    {"VARIANT", VT_VARIANT, noValueType, 0, 0},
    {"UNKNOWN", VT_UNKNOWN, noValueType, 0, 0},
    {"pointer to VARIANT", DeclaredType::Pointer(VT_VARIANT), noValueType, 0, 0},
    {"INT", VT_INT, noValueType, 0, 0},
    {"UINT", VT_UINT, noValueType, 0, 0},
    {"HRESULT", VT_HRESULT, noValueType, 0, 0},
    {"LPWSTR", VT_LPWSTR, noValueType, 0, 0},
    {"safe array of BSTR", DeclaredType::SafeArray(VT_BSTR), noValueType, 0, 0},
    {"interface pointer", DeclaredType::Dispatch(L"IOther"), noValueType, 0, 0},
};

TEST(MethodParameters, EveryAutomationBaseTypeIsDescribedOrRefusedWith808) {
    for (const TypeRow& row : kTypeRows) {
        SCOPED_TRACE(row.label);
        DispatchInterfaceBuilder builder(L"ITyped");
        builder.Method(L"Query", Returns::Recordset).Param(L"before", VT_I4).Param(L"typed", row.declared);
        ProviderSession session(builder, L"ZedbTests.Typed");
        Parameters parameters;
        FetchParameters(session.LogOn(), L"Query", parameters);
        ASSERT_EQ(parameters.count, 2u);
        ASSERT_NE(parameters.list, nullptr);
        ASSERT_NE(parameters.list[0], nullptr);
        EXPECT_STREQ(parameters.list[0]->name, L"before");
        if (row.valueType == noValueType) {
            EXPECT_EQ(parameters.result, 808);
            EXPECT_EQ(parameters.list[1], nullptr);
            ASSERT_EQ(parameters.errors.Count(), 1u);
            EXPECT_EQ(parameters.errors.head->code, 808u);
            EXPECT_STREQ(parameters.errors.head->text,
                         L"The parameter type can't be identified.\n Please use basic data types.");
            continue;
        }
        EXPECT_EQ(parameters.result, 0);
        EXPECT_EQ(parameters.errors.head, nullptr);
        const DbParameterDescription* typed = parameters.list[1];
        ASSERT_NE(typed, nullptr);
        EXPECT_STREQ(typed->name, L"typed");
        EXPECT_STREQ(typed->secondName, L"typed");
        EXPECT_EQ(typed->valueType, row.valueType);
        EXPECT_EQ(typed->length, row.length);
        EXPECT_EQ(typed->typeOptions, row.typeOptions);
        EXPECT_EQ(typed->fieldAt32, 1u);
        EXPECT_EQ(typed->size, 120u);
        EXPECT_EQ(typed->currentValue, nullptr);
        EXPECT_EQ(typed->wordsAt56[9], 1u);
    }
}

DispatchInterfaceBuilder ShapesInterface() {
    DispatchInterfaceBuilder builder(L"IShapes");
    builder.Method(L"GetOrders", Returns::Recordset)
        .Param(L"from", VT_DATE)
        .Param(L"count", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT)
        .Param(L"region", VT_BSTR);
    builder.Method(L"GetAll", Returns::Recordset);
    builder.Method(L"Count", Returns(VT_I4)).Param(L"filter", VT_BSTR);
    builder.Method(L"WithArray", Returns::Recordset).Param(L"fixed", DeclaredType::CArray(VT_I4, 4));
    return builder;
}

TEST(MethodParameters, OnlyInputsAreDescribedAndNoParametersLeaveTheListAlone) {
    ProviderSession session(ShapesInterface(), L"ZedbTests.Shapes");
    ServerHandle* handle = session.LogOn();
    Parameters orders;
    FetchParameters(handle, L"GetOrders", orders);
    ASSERT_EQ(orders.result, 0);
    ASSERT_EQ(orders.count, 3u);
    ASSERT_TRUE(orders.list[0] && !orders.list[1] && orders.list[2]);
    EXPECT_EQ(orders.list[0]->valueType, dateTimeValue);
    EXPECT_STREQ(orders.list[2]->name, L"region");

    // A parameter whose name the type information leaves out has no name.
    session.provider.TypeInfo().DropName(3);
    Parameters unnamed;
    FetchParameters(handle, L"GetOrders", unnamed);
    session.provider.TypeInfo().DropName(std::nullopt);
    ASSERT_EQ(unnamed.result, 0);
    ASSERT_EQ(unnamed.count, 3u);
    ASSERT_NE(unnamed.list[2], nullptr);
    EXPECT_EQ(unnamed.list[2]->name, nullptr);
    EXPECT_EQ(unnamed.list[2]->secondName, nullptr);
    EXPECT_EQ(unnamed.list[2]->valueType, stringValue);
    EXPECT_STREQ(unnamed.list[0]->name, L"from");

    Parameters array;
    FetchParameters(handle, L"WithArray", array);
    EXPECT_EQ(array.result, 0);
    ASSERT_EQ(array.count, 1u);
    EXPECT_EQ(array.list[0], nullptr);

    Parameters none;
    auto* sentinel = reinterpret_cast<DbParameterDescription**>(0x10);
    none.list = sentinel;
    FetchParameters(handle, L"GetAll", none);
    EXPECT_EQ(none.result, 0);
    EXPECT_EQ(none.count, 0u);
    EXPECT_EQ(none.list, sentinel);
    none.list = nullptr;
}

TEST(MethodParameters, LookUpByWalkingUntilATableListIsFetchedThenByTheIndex) {
    ProviderSession session(ShapesInterface(), L"ZedbTests.Shapes");
    ServerHandle* handle = session.LogOn();
    {
        Parameters notATable;
        FetchParameters(handle, L"Count", notATable);
        EXPECT_EQ(notATable.result, 0);
        EXPECT_EQ(notATable.count, 1u);
        Parameters wrongCase;
        FetchParameters(handle, L"getorders", wrongCase);
        EXPECT_EQ(wrongCase.result, 11);
        EXPECT_EQ(wrongCase.count, 0xFFFFFFFFu);
        EXPECT_EQ(wrongCase.list, nullptr);
    }
    uint32_t tableCount = 0;
    DbTableInfo** tables = nullptr;
    ASSERT_EQ(DbFetchTableList(handle, nullptr, nullptr, 0, &tables, &tableCount, nullptr), 0);
    DbFreeTableList(&tableCount, tables);
    {
        Parameters notATable;
        FetchParameters(handle, L"Count", notATable);
        EXPECT_EQ(notATable.result, 11);
        EXPECT_EQ(notATable.count, 0xFFFFFFFFu);
        // An output-only parameter keeps GetOrders out of the tables.
        Parameters outputMethod;
        FetchParameters(handle, L"GetOrders", outputMethod);
        EXPECT_EQ(outputMethod.result, 11);
        Parameters table;
        FetchParameters(handle, L"GetAll", table);
        EXPECT_EQ(table.result, 0);
        EXPECT_EQ(table.count, 0u);
    }
    EXPECT_EQ(session.provider.TypeInfo().OutstandingFuncDescs(), 0u);
    EXPECT_EQ(session.provider.TypeInfo().OutstandingTypeAttrs(), 0u);
}

TEST(MethodParameters, RefusedTypeInformationGives11AndReturnsEveryBlockAndMissingArgumentsGive12) {
    ProviderSession session(ShapesInterface(), L"ZedbTests.Shapes");
    ServerHandle* handle = session.LogOn();
    ScriptableTypeInfo& typeInfo = session.provider.TypeInfo();
    using Failure = void (*)(ScriptableTypeInfo&, HRESULT);
    for (Failure fail : {Failure([](ScriptableTypeInfo& t, HRESULT r) { t.FailGetTypeAttr(r); }),
                         Failure([](ScriptableTypeInfo& t, HRESULT r) { t.FailGetNames(r); }),
                         Failure([](ScriptableTypeInfo& t, HRESULT r) { t.FailGetFuncDesc(r); })}) {
        fail(typeInfo, E_FAIL);
        Parameters parameters;
        FetchParameters(handle, L"GetOrders", parameters);
        EXPECT_EQ(parameters.result, 11);
        EXPECT_EQ(parameters.count, 0xFFFFFFFFu);
        fail(typeInfo, S_OK);
    }
    EXPECT_EQ(typeInfo.OutstandingFuncDescs(), 0u);
    EXPECT_EQ(typeInfo.OutstandingTypeAttrs(), 0u);

    uint32_t count = 7;
    DbParameterDescription** list = nullptr;
    EXPECT_EQ(DbFetchTableParameters(nullptr, nullptr, &count, &list, nullptr), 12);
    EXPECT_EQ(count, 7u);
    EXPECT_EQ(DbFreeParametersList(3, nullptr), 0);
}

}  // namespace
