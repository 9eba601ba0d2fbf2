#include "support/dispatchInterfaceBuilder.h"

#include <oleauto.h>

#include <map>
#include <stdexcept>

#include "support/setupCheck.h"

namespace {

GUID FreshGuid() {
    GUID guid;
    CheckSetup(CoCreateGuid(&guid), "CoCreateGuid");
    return guid;
}

// The type library under construction: the interface being built and the named types that its
// members refer to, each created once, on first use.
class TypeLibrary {
public:
    TypeLibrary(const std::wstring& interfaceName, TYPEKIND kind) {
        // Never saved: the file name only names the library.
        CheckSetup(CreateTypeLib2(SYS_WIN64, const_cast<LPOLESTR>(L"zedbTestProvider.tlb"),
                                  library_.ReleaseAndGetAddressOf()),
                   "CreateTypeLib2");
        CheckSetup(library_->SetGuid(FreshGuid()), "ICreateTypeLib2::SetGuid");
        CheckSetup(library_->SetName(const_cast<LPOLESTR>(L"ZedbTestProvider")), "ICreateTypeLib2::SetName");
        ComPtr<ITypeLib> standard;
        CheckSetup(LoadTypeLib(L"stdole2.tlb", standard.ReleaseAndGetAddressOf()), "LoadTypeLib(stdole2.tlb)");
        CheckSetup(standard->GetTypeInfoOfGuid(IID_IDispatch, dispatchBase_.ReleaseAndGetAddressOf()),
                   "GetTypeInfoOfGuid(IID_IDispatch)");
        interface_ = Create(interfaceName, kind);
    }

    ICreateTypeInfo* Interface() const { return interface_.Get(); }

    // The reference to a named type from the interface being built.
    HREFTYPE Reference(const std::wstring& name, TYPEKIND kind) {
        auto found = named_.find(name);
        if (found == named_.end()) {
            ComPtr<ICreateTypeInfo> creator = Create(name, kind);
            ComPtr<ITypeInfo> info;
            CheckSetup(creator.As(info), "ICreateTypeInfo::QueryInterface(ITypeInfo)");
            HREFTYPE reference = 0;
            CheckSetup(interface_->AddRefTypeInfo(info.Get(), &reference), "ICreateTypeInfo::AddRefTypeInfo");
            found = named_.emplace(name, NamedType{kind, creator, reference}).first;
        } else if (found->second.kind != kind) {
            throw std::logic_error("a named type is declared with two different kinds");
        }
        return found->second.reference;
    }

    ComPtr<ITypeInfo> LayOut() {
        for (auto& [name, named] : named_) CheckSetup(named.creator->LayOut(), "ICreateTypeInfo::LayOut");
        CheckSetup(interface_->LayOut(), "ICreateTypeInfo::LayOut");
        ComPtr<ITypeInfo> info;
        CheckSetup(interface_.As(info), "ICreateTypeInfo::QueryInterface(ITypeInfo)");
        return info;
    }

private:
    struct NamedType {
        TYPEKIND kind;
        ComPtr<ICreateTypeInfo> creator;
        HREFTYPE reference;
    };

    ComPtr<ICreateTypeInfo> Create(const std::wstring& name, TYPEKIND kind) {
        ComPtr<ICreateTypeInfo> creator;
        CheckSetup(library_->CreateTypeInfo(const_cast<LPOLESTR>(name.c_str()), kind, creator.ReleaseAndGetAddressOf()),
                   "ICreateTypeLib2::CreateTypeInfo");
        CheckSetup(creator->SetGuid(FreshGuid()), "ICreateTypeInfo::SetGuid");
        if (kind == TKIND_DISPATCH || kind == TKIND_INTERFACE) {
            // Without its declared base Wine miscounts the functions of a dispatch interface.
            HREFTYPE base = 0;
            CheckSetup(creator->AddRefTypeInfo(dispatchBase_.Get(), &base), "ICreateTypeInfo::AddRefTypeInfo(IDispatch)");
            CheckSetup(creator->AddImplType(0, base), "ICreateTypeInfo::AddImplType");
        }
        return creator;
    }

    ComPtr<ICreateTypeLib2> library_;
    ComPtr<ITypeInfo> dispatchBase_;
    ComPtr<ICreateTypeInfo> interface_;
    std::map<std::wstring, NamedType> named_;
};

// The TYPEDESC of a DeclaredType; nested descriptions stay here until the function is added.
class TypeDescriptions {
public:
    explicit TypeDescriptions(TypeLibrary& library) : library_(library) {}

    TYPEDESC Describe(const DeclaredType& type) {
        TYPEDESC description{};
        description.vt = type.Type();
        switch (type.Type()) {
        case VT_PTR:
        case VT_SAFEARRAY:
            description.lptdesc = &nested_.emplace_back(Describe(type.Element()));
            break;
        case VT_CARRAY: {
            ARRAYDESC& array = arrays_.emplace_back();
            array.tdescElem = Describe(type.Element());
            array.cDims = 1;
            array.rgbounds[0].cElements = type.ElementCount();
            array.rgbounds[0].lLbound = 0;
            description.lpadesc = &array;
            break;
        }
        case VT_USERDEFINED:
            description.hreftype = library_.Reference(type.Name(), type.Kind());
            break;
        default:
            break;
        }
        return description;
    }

private:
    TypeLibrary& library_;
    std::deque<TYPEDESC> nested_;
    std::deque<ARRAYDESC> arrays_;
};

void AddMember(TypeLibrary& library, TYPEKIND kind, UINT index, const DispatchInterfaceBuilder::Member& member) {
    TypeDescriptions descriptions(library);
    std::vector<ELEMDESC> parameters(member.parameters.size());
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(member.name.c_str())};
    for (size_t i = 0; i < parameters.size(); ++i) {
        const DispatchInterfaceBuilder::Parameter& parameter = member.parameters[i];
        parameters[i].tdesc = descriptions.Describe(parameter.type);
        parameters[i].paramdesc.wParamFlags = parameter.flags;
        names.push_back(const_cast<LPOLESTR>(parameter.name.c_str()));
    }
    FUNCDESC function{};
    function.memid = member.id;
    function.funckind = kind == TKIND_DISPATCH ? FUNC_DISPATCH : FUNC_PUREVIRTUAL;
    function.invkind = member.invokeKind;
    function.callconv = CC_STDCALL;
    function.cParams = static_cast<SHORT>(parameters.size());
    function.lprgelemdescParam = parameters.empty() ? nullptr : parameters.data();
    function.elemdescFunc.tdesc = descriptions.Describe(member.returns);
    CheckSetup(library.Interface()->AddFuncDesc(index, &function), "ICreateTypeInfo::AddFuncDesc");
    CheckSetup(library.Interface()->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size())),
               "ICreateTypeInfo::SetFuncAndParamNames");
}

}  // namespace

DispatchInterfaceBuilder::Member& DispatchInterfaceBuilder::Method(const std::wstring& name,
                                                                   const DeclaredType& returns) {
    return Add(name, returns, INVOKE_FUNC);
}

DispatchInterfaceBuilder::Member& DispatchInterfaceBuilder::PropertyGet(const std::wstring& name,
                                                                        const DeclaredType& returns) {
    return Add(name, returns, INVOKE_PROPERTYGET);
}

DispatchInterfaceBuilder::Member& DispatchInterfaceBuilder::Add(const std::wstring& name, const DeclaredType& returns,
                                                                INVOKEKIND invokeKind) {
    members_.push_back({name, returns, invokeKind, static_cast<DISPID>(members_.size()) + 1, {}});
    return members_.back();
}

ComPtr<ITypeInfo> DispatchInterfaceBuilder::Build() const {
    TypeLibrary library(name_, kind_);
    UINT index = 0;
    for (const Member& member : members_) AddMember(library, kind_, index++, member);
    return library.LayOut();
}
