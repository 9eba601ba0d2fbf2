// What the driver relies on in the provider fixture, pinned where the driver's own tests could
// not tell a platform change from a driver fault: the shape of the type information that OLE
// Automation builds, the end of a registration, and the double's count of what it hands out.
//
// Platform difference: Wine lists the seven inherited functions in a dispatch view only when the
// IDispatch base is declared (the builder declares it), as Windows does for a dual interface.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/typeInfoResources.h"
#include "support/dispatchInterfaceBuilder.h"
#include "support/registeredProvider.h"

namespace {

const UINT inherited = 7;

ComPtr<ITypeInfo> ProviderTypeInfo() {
    DispatchInterfaceBuilder builder(L"IProvider");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR).Param(L"minimum", VT_I4);
    builder.PropertyGet(L"AllOrders", Returns::Recordset);
    builder.Method(L"Flags", Returns(VT_I4))
        .Param(L"in", VT_I4)
        .Param(L"out", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT)
        .Param(L"inOut", DeclaredType::Pointer(VT_I4), PARAMFLAG_FIN | PARAMFLAG_FOUT)
        .Param(L"none", VT_I4, 0)
        .Param(L"result", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
    return builder.Build();
}

std::vector<std::wstring> NamesOf(ITypeInfo* info, const FunctionDescription& function) {
    MemberNames names;
    EXPECT_EQ(names.Load(info, function->memid), S_OK);
    std::vector<std::wstring> result;
    for (UINT i = 0; i < names.Count(); ++i) result.emplace_back(names[i] ? names[i] : L"(null)");
    return result;
}

// The documented name of the type that a VT_PTR -> VT_USERDEFINED type refers to.
std::wstring ReferencedName(ITypeInfo* info, const TYPEDESC& type) {
    if (type.vt != VT_PTR || type.lptdesc->vt != VT_USERDEFINED) return L"(not a pointer to a named type)";
    ComPtr<ITypeInfo> referenced;
    EXPECT_EQ(info->GetRefTypeInfo(type.lptdesc->hreftype, referenced.ReleaseAndGetAddressOf()), S_OK);
    Bstr name;
    EXPECT_EQ(referenced->GetDocumentation(MEMBERID_NIL, name.ReleaseAndGetAddressOf(), nullptr, nullptr, nullptr),
              S_OK);
    return name.Text();
}

TEST(ProviderTypeInfo, DispatchViewListsTheInheritedFunctionsThenTheDeclaredOnesAsDeclared) {
    ComPtr<ITypeInfo> info = ProviderTypeInfo();
    const wchar_t* expected[] = {L"QueryInterface", L"AddRef",        L"Release", L"GetTypeInfoCount",
                                 L"GetTypeInfo",    L"GetIDsOfNames", L"Invoke",  L"GetCustomers",
                                 L"AllOrders",      L"Flags"};
    TypeAttributes attributes;
    ASSERT_EQ(attributes.Load(info.Get()), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    ASSERT_EQ(attributes->cFuncs, inherited + 3);
    FunctionDescription functions[inherited + 3];
    for (UINT i = 0; i < inherited + 3; ++i) {
        ASSERT_EQ(functions[i].Load(info.Get(), i), S_OK) << i;
        EXPECT_EQ(NamesOf(info.Get(), functions[i]).at(0), expected[i]);
    }
    const FunctionDescription &method = functions[inherited], &property = functions[inherited + 1],
                              &flags = functions[inherited + 2];
    EXPECT_EQ(method->invkind, INVOKE_FUNC);
    EXPECT_EQ(ReferencedName(info.Get(), method->elemdescFunc.tdesc), L"_Recordset");
    EXPECT_EQ(NamesOf(info.Get(), method), (std::vector<std::wstring>{L"GetCustomers", L"country", L"minimum"}));
    EXPECT_EQ(property->invkind, INVOKE_PROPERTYGET);
    EXPECT_EQ(ReferencedName(info.Get(), property->elemdescFunc.tdesc), L"_Recordset");
    const USHORT declared[] = {PARAMFLAG_FIN, PARAMFLAG_FOUT, PARAMFLAG_FIN | PARAMFLAG_FOUT, 0,
                               PARAMFLAG_FOUT | PARAMFLAG_FRETVAL};
    ASSERT_EQ(flags->cParams, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(flags->lprgelemdescParam[i].paramdesc.wParamFlags, declared[i]) << i;
}

TEST(RegisteredProvider, RegistrationEndsWithItsScope) {
    FakeProvider provider(ProviderTypeInfo());
    // {7E4B5C1A-3D2F-4A6B-9C8D-0E1F2A3B4C5D}
    const CLSID chosen = {0x7e4b5c1a, 0x3d2f, 0x4a6b, {0x9c, 0x8d, 0x0e, 0x1f, 0x2a, 0x3b, 0x4c, 0x5d}};
    CLSID resolved = CLSID_NULL;
    {
        RegisteredProvider registration(provider, L"Zedb.Fixture.Scope", chosen);
        EXPECT_EQ(CLSIDFromProgID(L"Zedb.Fixture.Scope", &resolved), S_OK);
        EXPECT_TRUE(IsEqualCLSID(resolved, chosen));
    }
    EXPECT_EQ(CLSIDFromProgID(L"Zedb.Fixture.Scope", &resolved), CO_E_CLASSSTRING);
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(CoCreateInstance(chosen, nullptr, CLSCTX_ALL, IID_IDispatch,
                               reinterpret_cast<void**>(dispatch.ReleaseAndGetAddressOf())),
              REGDB_E_CLASSNOTREG);
}

// The driver's tests read these counts to prove that every block and reference came back.
TEST(ScriptableTypeInfo, CountsWhatItHandsOutAndReportsALeak) {
    ScriptableTypeInfo info(ProviderTypeInfo());
    {
        FunctionDescription method;
        ASSERT_EQ(method.Load(&info, inherited), S_OK);
        ComPtr<ITypeInfo> recordset;
        ASSERT_EQ(info.GetRefTypeInfo(method->elemdescFunc.tdesc.lptdesc->hreftype, recordset.ReleaseAndGetAddressOf()),
                  S_OK);
        EXPECT_EQ(info.OutstandingFuncDescs(), 1u);
        EXPECT_EQ(info.ReferencedTypeInfoReferences(), 1u);
        TypeAttributes attributes;
        ASSERT_EQ(attributes.Load(recordset.Get()), S_OK);
        EXPECT_EQ(info.OutstandingTypeAttrs(), 1u);
    }
    EXPECT_EQ(info.OutstandingTypeAttrs() + info.OutstandingFuncDescs() + info.ReferencedTypeInfoReferences(), 0u);
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptableTypeInfo leaking(ProviderTypeInfo());
            TYPEATTR* attributes = nullptr;
            leaking.GetTypeAttr(&attributes);
        },
        "1 TYPEATTR not released");
}

}  // namespace
