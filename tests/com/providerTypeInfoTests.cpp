// What the method catalogue and the parameter listing rely on in a provider's type information,
// pinned on type information that OLE Automation itself builds (DispatchInterfaceBuilder).
//
// Platform difference: on Windows the dispatch view of a dual interface lists the seven
// inherited functions QueryInterface ... Invoke first, flagged restricted. Wine lists them the
// same way only when the IDispatch base is declared (the builder declares it); without it Wine
// counts seven functions more than it can describe. Wine gives the inherited functions their
// vtable signatures (QueryInterface returns VT_HRESULT, AddRef VT_UI4); none returns a pointer
// to a named type on either system.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/bstr.h"
#include "support/dispatchInterfaceBuilder.h"

namespace {

class HeldTypeAttr {
public:
    explicit HeldTypeAttr(ITypeInfo* info) : info_(info) { EXPECT_EQ(info->GetTypeAttr(&attributes_), S_OK); }
    ~HeldTypeAttr() {
        if (attributes_) info_->ReleaseTypeAttr(attributes_);
    }
    const TYPEATTR* operator->() const { return attributes_; }

private:
    ITypeInfo* info_;
    TYPEATTR* attributes_ = nullptr;
};

class HeldFuncDesc {
public:
    HeldFuncDesc(ITypeInfo* info, UINT index) : info_(info) { EXPECT_EQ(info->GetFuncDesc(index, &function_), S_OK); }
    ~HeldFuncDesc() {
        if (function_) info_->ReleaseFuncDesc(function_);
    }
    const FUNCDESC* operator->() const { return function_; }

private:
    ITypeInfo* info_;
    FUNCDESC* function_ = nullptr;
};

std::vector<std::wstring> NamesOf(ITypeInfo* info, MEMBERID member) {
    BSTR names[64] = {};
    UINT count = 0;
    EXPECT_EQ(info->GetNames(member, names, 64, &count), S_OK);
    std::vector<std::wstring> result;
    for (UINT i = 0; i < count; ++i) {
        Bstr owned;
        owned.Attach(names[i]);
        result.emplace_back(owned.Text());
    }
    return result;
}

// The name and kind of the named type that a VT_PTR -> VT_USERDEFINED return points to.
std::wstring ReferencedName(ITypeInfo* info, const TYPEDESC& type, TYPEKIND* kind = nullptr) {
    if (type.vt != VT_PTR || type.lptdesc->vt != VT_USERDEFINED) return L"(not a pointer to a named type)";
    ComPtr<ITypeInfo> referenced;
    EXPECT_EQ(info->GetRefTypeInfo(type.lptdesc->hreftype, referenced.ReleaseAndGetAddressOf()), S_OK);
    Bstr name;
    EXPECT_EQ(referenced->GetDocumentation(MEMBERID_NIL, name.ReleaseAndGetAddressOf(), nullptr, nullptr, nullptr),
              S_OK);
    if (kind) *kind = HeldTypeAttr(referenced.Get())->typekind;
    return name.Text();
}

// The type codes along a TYPEDESC: through pointers, safe arrays and C arrays to the element.
std::vector<VARTYPE> TypeChain(const TYPEDESC& type) {
    std::vector<VARTYPE> chain{type.vt};
    if (type.vt == VT_PTR || type.vt == VT_SAFEARRAY) {
        for (VARTYPE inner : TypeChain(*type.lptdesc)) chain.push_back(inner);
    } else if (type.vt == VT_CARRAY) {
        for (VARTYPE inner : TypeChain(type.lpadesc->tdescElem)) chain.push_back(inner);
    }
    return chain;
}

const int inherited = 7;

TEST(ProviderTypeInfo, DispatchViewListsTheInheritedFunctionsFirstAndRestricted) {
    DispatchInterfaceBuilder builder(L"IProvider");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR).Param(L"minimum", VT_I4);
    builder.Method(L"Count", Returns(VT_I4));
    builder.Method(L"Reset", Returns::Void);
    ComPtr<ITypeInfo> info = builder.Build();

    HeldTypeAttr attributes(info.Get());
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attributes->cFuncs, inherited + 3);
    const wchar_t* inheritedNames[] = {L"QueryInterface",   L"AddRef",        L"Release", L"GetTypeInfoCount",
                                       L"GetTypeInfo",      L"GetIDsOfNames", L"Invoke"};
    for (UINT i = 0; i < inherited; ++i) {
        HeldFuncDesc function(info.Get(), i);
        EXPECT_EQ(NamesOf(info.Get(), function->memid).at(0), inheritedNames[i]);
        EXPECT_TRUE(function->wFuncFlags & FUNCFLAG_FRESTRICTED) << "function " << i;
        EXPECT_FALSE(function->elemdescFunc.tdesc.vt == VT_PTR &&
                     function->elemdescFunc.tdesc.lptdesc->vt == VT_USERDEFINED)
            << "function " << i;
    }
    const wchar_t* addedNames[] = {L"GetCustomers", L"Count", L"Reset"};
    for (UINT i = 0; i < 3; ++i) {
        HeldFuncDesc function(info.Get(), inherited + i);
        EXPECT_EQ(function->memid, static_cast<MEMBERID>(i + 1));
        EXPECT_EQ(NamesOf(info.Get(), function->memid).at(0), addedNames[i]);
        EXPECT_EQ(function->wFuncFlags, 0);
    }
    FUNCDESC* past = nullptr;
    EXPECT_EQ(info->GetFuncDesc(inherited + 3, &past), TYPE_E_ELEMENTNOTFOUND);
}

TEST(ProviderTypeInfo, ARecordsetMethodReturnsAPointerToTheNamedTypeAndNamesItsParameters) {
    DispatchInterfaceBuilder builder(L"IProvider");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR).Param(L"minimum", VT_I4);
    ComPtr<ITypeInfo> info = builder.Build();

    HeldFuncDesc function(info.Get(), inherited);
    EXPECT_EQ(function->funckind, FUNC_DISPATCH);
    EXPECT_EQ(function->invkind, INVOKE_FUNC);
    EXPECT_EQ(TypeChain(function->elemdescFunc.tdesc), (std::vector<VARTYPE>{VT_PTR, VT_USERDEFINED}));
    TYPEKIND kind = TKIND_MAX;
    EXPECT_EQ(ReferencedName(info.Get(), function->elemdescFunc.tdesc, &kind), L"_Recordset");
    EXPECT_EQ(kind, TKIND_DISPATCH);
    ASSERT_EQ(function->cParams, 2);
    EXPECT_EQ(function->lprgelemdescParam[0].tdesc.vt, VT_BSTR);
    EXPECT_EQ(function->lprgelemdescParam[1].tdesc.vt, VT_I4);
    EXPECT_EQ(NamesOf(info.Get(), function->memid), (std::vector<std::wstring>{L"GetCustomers", L"country", L"minimum"}));
}

TEST(ProviderTypeInfo, ReturnKindsAndParameterFlagsComeBackAsDeclared) {
    DispatchInterfaceBuilder builder(L"IProvider");
    builder.Method(L"Flags", Returns::Recordset)
        .Param(L"in", VT_I4)
        .Param(L"out", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT)
        .Param(L"inOut", DeclaredType::Pointer(VT_I4), PARAMFLAG_FIN | PARAMFLAG_FOUT)
        .Param(L"none", VT_I4, 0)
        .Param(L"result", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
    builder.PropertyGet(L"AllOrders", Returns::Recordset);
    builder.Method(L"Odd", Returns::Interface(L"_Recordset15"));
    builder.Method(L"Coclass", Returns::Coclass(L"Recordset"));
    builder.Method(L"Again", Returns::Recordset);
    ComPtr<ITypeInfo> info = builder.Build();

    {
        HeldFuncDesc flags(info.Get(), inherited);
        const USHORT declared[] = {PARAMFLAG_FIN, PARAMFLAG_FOUT, PARAMFLAG_FIN | PARAMFLAG_FOUT, 0,
                                   PARAMFLAG_FOUT | PARAMFLAG_FRETVAL};
        ASSERT_EQ(flags->cParams, 5);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(flags->lprgelemdescParam[i].paramdesc.wParamFlags, declared[i]) << i;
    }
    {
        HeldFuncDesc property(info.Get(), inherited + 1);
        EXPECT_EQ(property->invkind, INVOKE_PROPERTYGET);
        EXPECT_EQ(property->cParams, 0);
        EXPECT_EQ(ReferencedName(info.Get(), property->elemdescFunc.tdesc), L"_Recordset");
    }
    struct Expected {
        const wchar_t* name;
        TYPEKIND kind;
    };
    const Expected returns[] = {{L"_Recordset15", TKIND_INTERFACE}, {L"Recordset", TKIND_COCLASS}, {L"_Recordset", TKIND_DISPATCH}};
    HREFTYPE recordset = 0;
    for (int i = 0; i < 3; ++i) {
        HeldFuncDesc function(info.Get(), inherited + 2 + i);
        TYPEKIND kind = TKIND_MAX;
        EXPECT_EQ(ReferencedName(info.Get(), function->elemdescFunc.tdesc, &kind), returns[i].name);
        EXPECT_EQ(kind, returns[i].kind) << i;
        if (i == 2) recordset = function->elemdescFunc.tdesc.lptdesc->hreftype;
    }
    HeldFuncDesc first(info.Get(), inherited);
    EXPECT_EQ(first->elemdescFunc.tdesc.lptdesc->hreftype, recordset) << "one named type, one reference";
}

TEST(ProviderTypeInfo, EveryParameterTypeComesBackAsDeclared) {
    struct Case {
        DeclaredType type;
        std::vector<VARTYPE> chain;
    };
    std::vector<Case> cases{
        {DeclaredType::Pointer(VT_R8), {VT_PTR, VT_R8}},
        {DeclaredType::SafeArray(VT_BSTR), {VT_SAFEARRAY, VT_BSTR}},
        {DeclaredType::CArray(VT_I4, 4), {VT_CARRAY, VT_I4}},
        {DeclaredType::Pointer(DeclaredType::Pointer(VT_VARIANT)), {VT_PTR, VT_PTR, VT_VARIANT}},
        {DeclaredType::UserDefined(L"Address", TKIND_DISPATCH), {VT_USERDEFINED}},
        {DeclaredType::Dispatch(L"Order"), {VT_PTR, VT_USERDEFINED}},
    };
    // Every type code up to VT_VERSIONED_STREAM and beyond, the composite ones above excepted.
    for (VARTYPE code = VT_EMPTY; code <= 80; ++code) {
        if (code != VT_PTR && code != VT_SAFEARRAY && code != VT_CARRAY && code != VT_USERDEFINED) {
            cases.push_back({DeclaredType(code), {code}});
        }
    }
    DispatchInterfaceBuilder builder(L"IProvider");
    DispatchInterfaceBuilder::Member& method = builder.Method(L"Everything", Returns::Recordset);
    for (size_t i = 0; i < cases.size(); ++i) method.Param(L"p" + std::to_wstring(i), cases[i].type);
    ComPtr<ITypeInfo> info = builder.Build();

    HeldFuncDesc function(info.Get(), inherited);
    ASSERT_EQ(function->cParams, static_cast<SHORT>(cases.size()));
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(TypeChain(function->lprgelemdescParam[i].tdesc), cases[i].chain) << "parameter " << i;
    }
    EXPECT_EQ(function->lprgelemdescParam[2].tdesc.lpadesc->rgbounds[0].cElements, 4u);
    TYPEDESC address{};
    address.vt = VT_PTR;
    address.lptdesc = &function->lprgelemdescParam[4].tdesc;
    EXPECT_EQ(ReferencedName(info.Get(), address), L"Address");
}

TEST(ProviderTypeInfo, AnInterfaceBuildIsNoDispatchDescription) {
    DispatchInterfaceBuilder builder(L"IProvider", TKIND_INTERFACE);
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR);
    ComPtr<ITypeInfo> info = builder.Build();

    HeldTypeAttr attributes(info.Get());
    EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
    // A vtable interface lists its own functions only; the inherited ones belong to its base.
    ASSERT_EQ(attributes->cFuncs, 1);
    HeldFuncDesc function(info.Get(), 0);
    EXPECT_EQ(function->funckind, FUNC_PUREVIRTUAL);
    EXPECT_EQ(NamesOf(info.Get(), function->memid).at(0), L"GetCustomers");
    EXPECT_EQ(ReferencedName(info.Get(), function->elemdescFunc.tdesc), L"_Recordset");
}

}  // namespace
