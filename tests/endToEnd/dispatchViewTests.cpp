// The sample provider's type information as the driver and every automation client read it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/bstr.h"
#include "common/comPtr.h"
// The provider is registered for the whole run by the environment in sampleRegistration.cpp.

namespace {

// Apartment for this test's thread, as the engine's threads have one.
struct Apartment {
    Apartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Apartment() { CoUninitialize(); }
};

}  // namespace

// As VB6, ATL and .NET providers do: the dual interface's dispatch view lists the seven
// inherited functions first, then the provider's own, each returning its recordset.
TEST(SampleProvider, DispatchViewListsTheInheritedFunctionsFirst) {
    Apartment apartment;
    CLSID classId;
    ASSERT_EQ(CLSIDFromProgID(L"ZedbSample.Provider", &classId), S_OK);
    ComPtr<IDispatch> provider;
    ASSERT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(provider.ReleaseAndGetAddressOf())),
              S_OK);
    ComPtr<ITypeInfo> typeInfo;
    ASSERT_EQ(provider->GetTypeInfo(0, 0, typeInfo.ReleaseAndGetAddressOf()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(typeInfo->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
    const UINT count = attributes->cFuncs;
    typeInfo->ReleaseTypeAttr(attributes);

    const std::vector<std::wstring> expected = {
        L"QueryInterface", L"AddRef",     L"Release",        L"GetTypeInfoCount", L"GetTypeInfo",
        L"GetIDsOfNames",  L"Invoke",     L"Customers",      L"Orders",           L"OrderLines",
        L"GeneratedTable", L"CsvFile",    L"OrderTree",      L"ProductProperties"};
    ASSERT_EQ(count, expected.size());
    for (UINT index = 0; index < count; ++index) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(typeInfo->GetFuncDesc(index, &function), S_OK) << index;
        Bstr name;
        UINT names = 0;
        EXPECT_EQ(typeInfo->GetNames(function->memid, name.ReleaseAndGetAddressOf(), 1, &names), S_OK);
        EXPECT_EQ(std::wstring(name.Text()), expected[index]) << index;
        // The provider's own functions hand back their recordset as the result, with inputs only.
        if (index >= 7) {
            EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_PTR) << index;
            for (SHORT parameter = 0; parameter < function->cParams; ++parameter)
                EXPECT_EQ(function->lprgelemdescParam[parameter].paramdesc.wParamFlags & PARAMFLAG_FRETVAL, 0)
                    << index;
        }
        typeInfo->ReleaseFuncDesc(function);
    }
}
