// The scriptable type information forwards faithfully, fails each scripted call with the chosen
// HRESULT, and reports every reference and block that was not given back.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>

#include "common/bstr.h"
#include "support/dispatchInterfaceBuilder.h"
#include "support/scriptableTypeInfo.h"

namespace {

const UINT getCustomers = 7;  // after the seven inherited functions
const UINT count = 8;

ComPtr<ITypeInfo> ProviderTypeInfo() {
    DispatchInterfaceBuilder builder(L"IProvider");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR);
    builder.Method(L"Count", Returns(VT_I4));
    return builder.Build();
}

HREFTYPE RecordsetReference(ITypeInfo* info) {
    FUNCDESC* function = nullptr;
    EXPECT_EQ(info->GetFuncDesc(getCustomers, &function), S_OK);
    HREFTYPE reference = function->elemdescFunc.tdesc.lptdesc->hreftype;
    info->ReleaseFuncDesc(function);
    return reference;
}

TEST(ScriptableTypeInfo, ForwardsAndCountsWhatItHandsOut) {
    ScriptableTypeInfo info(ProviderTypeInfo());

    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info.GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attributes->cFuncs, 9);
    FUNCDESC* function = nullptr;
    ASSERT_EQ(info.GetFuncDesc(getCustomers, &function), S_OK);
    EXPECT_EQ(info.OutstandingTypeAttrs(), 1u);
    EXPECT_EQ(info.OutstandingFuncDescs(), 1u);
    BSTR names[2] = {};
    UINT nameCount = 0;
    EXPECT_EQ(info.GetNames(function->memid, names, 2, &nameCount), S_OK);
    EXPECT_EQ(nameCount, 2u);
    for (BSTR name : names) Bstr().Attach(name);

    ComPtr<ITypeInfo> recordset;
    ASSERT_EQ(info.GetRefTypeInfo(function->elemdescFunc.tdesc.lptdesc->hreftype, recordset.ReleaseAndGetAddressOf()),
              S_OK);
    EXPECT_EQ(info.ReferencedTypeInfoReferences(), 1u);
    Bstr name;
    EXPECT_EQ(recordset->GetDocumentation(MEMBERID_NIL, name.ReleaseAndGetAddressOf(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name.Text(), L"_Recordset");
    ComPtr<ITypeInfo> again;
    EXPECT_EQ(info.GetRefTypeInfo(function->elemdescFunc.tdesc.lptdesc->hreftype, again.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(again.Get(), recordset.Get());
    EXPECT_EQ(info.ReferencedTypeInfoReferences(), 2u);

    info.ReleaseFuncDesc(function);
    info.ReleaseTypeAttr(attributes);
    recordset.Reset();
    again.Reset();
    EXPECT_EQ(info.OutstandingTypeAttrs(), 0u);
    EXPECT_EQ(info.OutstandingFuncDescs(), 0u);
    EXPECT_EQ(info.ReferencedTypeInfoReferences(), 0u);
    EXPECT_EQ(info.References(), 1u);
}

TEST(ScriptableTypeInfo, EachScriptedCallFailsWithItsChosenResult) {
    struct Case {
        const char* call;
        std::function<void(ScriptableTypeInfo&)> script;
        std::function<HRESULT(ScriptableTypeInfo&)> run;
    };
    const HRESULT chosen = TYPE_E_LIBNOTREGISTERED;
    // Each call gives back what it got, and on failure must leave its outputs empty.
    const Case cases[] = {
        {"GetTypeAttr", [&](ScriptableTypeInfo& info) { info.FailGetTypeAttr(chosen); },
         [](ScriptableTypeInfo& info) {
             TYPEATTR* attributes = reinterpret_cast<TYPEATTR*>(&info);
             HRESULT result = info.GetTypeAttr(&attributes);
             if (SUCCEEDED(result)) {
                 info.ReleaseTypeAttr(attributes);
             } else {
                 EXPECT_EQ(attributes, nullptr);
             }
             return result;
         }},
        {"GetFuncDesc", [&](ScriptableTypeInfo& info) { info.FailGetFuncDesc(chosen); },
         [](ScriptableTypeInfo& info) {
             FUNCDESC* function = reinterpret_cast<FUNCDESC*>(&info);
             HRESULT result = info.GetFuncDesc(0, &function);
             if (SUCCEEDED(result)) {
                 info.ReleaseFuncDesc(function);
             } else {
                 EXPECT_EQ(function, nullptr);
             }
             return result;
         }},
        {"GetNames", [&](ScriptableTypeInfo& info) { info.FailGetNames(chosen); },
         [](ScriptableTypeInfo& info) {
             BSTR names[1] = {};
             UINT nameCount = 9;
             HRESULT result = info.GetNames(1, names, 1, &nameCount);
             Bstr().Attach(names[0]);
             if (FAILED(result)) {
                 EXPECT_EQ(nameCount, 0u);
             }
             return result;
         }},
        {"GetRefTypeInfo", [&](ScriptableTypeInfo& info) { info.FailGetRefTypeInfo(chosen); },
         [](ScriptableTypeInfo& info) {
             ITypeInfo* referenced = &info;
             HRESULT result = info.GetRefTypeInfo(RecordsetReference(&info), &referenced);
             ComPtr<ITypeInfo> owned;
             if (SUCCEEDED(result)) {
                 owned.Attach(referenced);
             } else {
                 EXPECT_EQ(referenced, nullptr);
             }
             return result;
         }},
        // Scripted on the interface, failing on the type it refers to, where the catalogue asks.
        {"GetDocumentation", [&](ScriptableTypeInfo& info) { info.FailGetDocumentation(chosen); },
         [](ScriptableTypeInfo& info) {
             ComPtr<ITypeInfo> recordset;
             EXPECT_EQ(info.GetRefTypeInfo(RecordsetReference(&info), recordset.ReleaseAndGetAddressOf()), S_OK);
             Bstr name;
             HRESULT result =
                 recordset->GetDocumentation(MEMBERID_NIL, name.ReleaseAndGetAddressOf(), nullptr, nullptr, nullptr);
             if (FAILED(result)) {
                 EXPECT_EQ(name.Get(), nullptr);
             }
             return result;
         }},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.call);
        ScriptableTypeInfo info(ProviderTypeInfo());
        EXPECT_EQ(each.run(info), S_OK) << "before scripting";
        each.script(info);
        EXPECT_EQ(each.run(info), chosen);
        EXPECT_EQ(info.OutstandingTypeAttrs() + info.OutstandingFuncDescs() + info.ReferencedTypeInfoReferences(), 0u);
    }
}

TEST(ScriptableTypeInfo, AFuncDescFailureMayHitOneIndexOnly) {
    ScriptableTypeInfo info(ProviderTypeInfo());
    info.FailGetFuncDesc(E_OUTOFMEMORY, count);
    FUNCDESC* function = nullptr;
    EXPECT_EQ(info.GetFuncDesc(count, &function), E_OUTOFMEMORY);
    ASSERT_EQ(info.GetFuncDesc(getCustomers, &function), S_OK);
    info.ReleaseFuncDesc(function);
    info.FailGetFuncDesc(S_OK);
    ASSERT_EQ(info.GetFuncDesc(count, &function), S_OK);
    info.ReleaseFuncDesc(function);
}

TEST(ScriptableTypeInfo, MisuseFailsTheTest) {
    ScriptableTypeInfo info(ProviderTypeInfo());
    ITypeComp* comp = nullptr;
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(info.GetTypeComp(&comp), E_NOTIMPL), "unexpected call of ITypeInfo::GetTypeComp");
    FUNCDESC foreign{};
    EXPECT_NONFATAL_FAILURE(info.ReleaseFuncDesc(&foreign), "did not hand out");
    EXPECT_NONFATAL_FAILURE(info.Release(), "released more often than referenced");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptableTypeInfo leaked(ProviderTypeInfo());
            leaked.AddRef();
        },
        "references not released");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptableTypeInfo leaked(ProviderTypeInfo());
            TYPEATTR* attributes = nullptr;
            leaked.GetTypeAttr(&attributes);
        },
        "1 TYPEATTR not released");
}

}  // namespace
