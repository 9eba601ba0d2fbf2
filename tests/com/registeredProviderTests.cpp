// The registered fake provider is reached the way the driver reaches a real one: the ProgID
// through CLSIDFromProgID, the brace form through CLSIDFromString, the object through
// CoCreateInstance with class context 0x17; and every reference handed out comes back.

#include <gtest/gtest.h>

#include "common/bstr.h"
#include "support/dispatchInterfaceBuilder.h"
#include "support/registeredProvider.h"

namespace {

const DWORD anyContext = 0x17;

ComPtr<ITypeInfo> ProviderTypeInfo() {
    DispatchInterfaceBuilder builder(L"IProvider");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR).Param(L"minimum", VT_I4);
    builder.Method(L"Count", Returns(VT_I4));
    return builder.Build();
}

TEST(RegisteredProvider, ProgIdAndBraceClsidResolveToItsClass) {
    FakeProvider provider(ProviderTypeInfo());
    RegisteredProvider registration(provider, L"Zedb.Fixture.Resolve");

    CLSID resolved = CLSID_NULL;
    EXPECT_EQ(CLSIDFromProgID(L"Zedb.Fixture.Resolve", &resolved), S_OK);
    EXPECT_TRUE(IsEqualCLSID(resolved, registration.Clsid()));
    resolved = CLSID_NULL;
    EXPECT_EQ(CLSIDFromString(registration.ClsidString().c_str(), &resolved), S_OK);
    EXPECT_TRUE(IsEqualCLSID(resolved, registration.Clsid()));
    EXPECT_EQ(registration.ClsidString().size(), 38u);
    EXPECT_EQ(registration.ClsidString().front(), L'{');
}

TEST(RegisteredProvider, CreationThroughAnyContextGivesTheProviderAndItsTypeInfo) {
    FakeProvider provider(ProviderTypeInfo());
    RegisteredProvider registration(provider, L"Zedb.Fixture.Create");
    {
        ComPtr<IDispatch> dispatch;
        ASSERT_EQ(CoCreateInstance(registration.Clsid(), nullptr, anyContext, IID_IDispatch,
                                   reinterpret_cast<void**>(dispatch.ReleaseAndGetAddressOf())),
                  S_OK);
        EXPECT_EQ(dispatch.Get(), static_cast<IDispatch*>(&provider));
        EXPECT_EQ(provider.References(), 2u);
        EXPECT_EQ(registration.Factory().CreateInstanceCalls(), 1);

        ComPtr<ITypeInfo> info;
        ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.ReleaseAndGetAddressOf()), S_OK);
        EXPECT_EQ(info.Get(), static_cast<ITypeInfo*>(&provider.TypeInfo()));
        EXPECT_EQ(provider.TypeInfo().References(), 2u);
        Bstr name;
        EXPECT_EQ(info->GetDocumentation(MEMBERID_NIL, name.ReleaseAndGetAddressOf(), nullptr, nullptr, nullptr), S_OK);
        EXPECT_STREQ(name.Text(), L"IProvider");
    }
    EXPECT_EQ(provider.References(), 1u);
    EXPECT_EQ(provider.TypeInfo().References(), 1u);
}

TEST(RegisteredProvider, RefusedCreationAndMissingTypeInfoSurfaceTheirResults) {
    FakeProvider provider(ProviderTypeInfo());
    RegisteredProvider registration(provider, L"Zedb.Fixture.Refuse");
    registration.Factory().FailCreateInstance(CO_E_SERVER_EXEC_FAILURE);
    IDispatch* dispatch = &provider;  // must come back null
    EXPECT_EQ(CoCreateInstance(registration.Clsid(), nullptr, anyContext, IID_IDispatch,
                               reinterpret_cast<void**>(&dispatch)),
              CO_E_SERVER_EXEC_FAILURE);
    EXPECT_EQ(dispatch, nullptr);
    EXPECT_EQ(provider.References(), 1u);

    provider.FailGetTypeInfo(TYPE_E_ELEMENTNOTFOUND);
    ITypeInfo* info = &provider.TypeInfo();  // must come back null
    EXPECT_EQ(provider.GetTypeInfo(0, 0, &info), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(provider.TypeInfo().References(), 1u);
}

TEST(RegisteredProvider, RegistrationEndsWithItsScope) {
    FakeProvider provider(ProviderTypeInfo());
    // {7E4B5C1A-3D2F-4A6B-9C8D-0E1F2A3B4C5D}
    const CLSID chosen = {0x7e4b5c1a, 0x3d2f, 0x4a6b, {0x9c, 0x8d, 0x0e, 0x1f, 0x2a, 0x3b, 0x4c, 0x5d}};
    {
        RegisteredProvider registration(provider, L"Zedb.Fixture.Scope", chosen);
        EXPECT_EQ(registration.ClsidString(), L"{7E4B5C1A-3D2F-4A6B-9C8D-0E1F2A3B4C5D}");
        CLSID resolved = CLSID_NULL;
        EXPECT_EQ(CLSIDFromProgID(L"Zedb.Fixture.Scope", &resolved), S_OK);
        EXPECT_TRUE(IsEqualCLSID(resolved, chosen));
    }
    CLSID resolved = CLSID_NULL;
    EXPECT_EQ(CLSIDFromProgID(L"Zedb.Fixture.Scope", &resolved), CO_E_CLASSSTRING);
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(CoCreateInstance(chosen, nullptr, anyContext, IID_IDispatch,
                               reinterpret_cast<void**>(dispatch.ReleaseAndGetAddressOf())),
              REGDB_E_CLASSNOTREG);
}

TEST(RegisteredProvider, InvokeCallsTheHandlerOfTheMemberId) {
    FakeProvider provider(ProviderTypeInfo());
    DISPID getCustomers = provider.DispIdOf(L"GetCustomers");
    EXPECT_EQ(getCustomers, 1);
    LPOLESTR count[] = {const_cast<LPOLESTR>(L"Count")};
    DISPID member = DISPID_UNKNOWN;
    EXPECT_EQ(provider.GetIDsOfNames(IID_NULL, count, 1, 0, &member), S_OK);
    EXPECT_EQ(member, 2);
    LPOLESTR misspelt[] = {const_cast<LPOLESTR>(L"Cuont")};
    EXPECT_EQ(provider.GetIDsOfNames(IID_NULL, misspelt, 1, 0, &member), DISP_E_UNKNOWNNAME);

    int calls = 0;
    provider.OnInvoke(getCustomers, [&](const FakeProvider::Invocation& call, Variant& result) {
        ++calls;
        EXPECT_EQ(call.flags, DISPATCH_METHOD);
        EXPECT_EQ(call.locale, 0u);
        EXPECT_EQ(call.arguments.cArgs, 2u);
        V_VT(result.Get()) = VT_I4;
        V_I4(result.Get()) = V_I4(&call.arguments.rgvarg[0]) + static_cast<LONG>(SysStringLen(V_BSTR(&call.arguments.rgvarg[1])));
        return S_OK;
    });
    Bstr country(L"CH");
    VARIANT arguments[2];
    V_VT(&arguments[0]) = VT_I4;
    V_I4(&arguments[0]) = 40;
    V_VT(&arguments[1]) = VT_BSTR;
    V_BSTR(&arguments[1]) = country.Get();
    DISPPARAMS parameters{arguments, nullptr, 2, 0};
    Variant result;
    EXPECT_EQ(provider.Invoke(getCustomers, IID_NULL, 0, DISPATCH_METHOD, &parameters, result.Get(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(V_VT(result.Get()), VT_I4);
    EXPECT_EQ(V_I4(result.Get()), 42);

    EXPECT_EQ(provider.Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &parameters, result.ReleaseAndGetAddressOf(), nullptr,
                              nullptr),
              DISP_E_MEMBERNOTFOUND);
    provider.OnInvoke(2, [](const FakeProvider::Invocation&, Variant&) { return DISP_E_EXCEPTION; });
    EXPECT_EQ(provider.Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &parameters, result.ReleaseAndGetAddressOf(), nullptr,
                              nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(V_VT(result.Get()), VT_EMPTY);
}

}  // namespace
