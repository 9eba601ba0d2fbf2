#pragma once
// A type as a provider's type library declares it, for DispatchInterfaceBuilder: an automation
// base type, a pointer to, safe array or C array of another type, or a named type of the same
// type library (VT_USERDEFINED). Return types read as Returns::Recordset or Returns(VT_I4).

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string>

class DeclaredType {
public:
    // Base types are written as their VT_ code; so are VT_VOID and VT_HRESULT.
    DeclaredType(VARTYPE type) : type_(type) {}

    static DeclaredType Pointer(DeclaredType target) { return DeclaredType(VT_PTR, std::move(target)); }
    static DeclaredType SafeArray(DeclaredType element) { return DeclaredType(VT_SAFEARRAY, std::move(element)); }
    static DeclaredType CArray(DeclaredType element, ULONG elementCount) {
        DeclaredType array(VT_CARRAY, std::move(element));
        array.elementCount_ = elementCount;
        return array;
    }
    // The named type itself, created in the same type library with the given kind
    // (TKIND_DISPATCH, TKIND_INTERFACE or TKIND_COCLASS).
    static DeclaredType UserDefined(std::wstring name, TYPEKIND kind) {
        DeclaredType named(VT_USERDEFINED);
        named.name_ = std::move(name);
        named.kind_ = kind;
        return named;
    }
    // Pointers to named types, the way providers declare object results.
    static DeclaredType Dispatch(std::wstring name) { return Pointer(UserDefined(std::move(name), TKIND_DISPATCH)); }
    static DeclaredType Coclass(std::wstring name) { return Pointer(UserDefined(std::move(name), TKIND_COCLASS)); }

    // A pointer to the dispatch interface "_Recordset": what a table's method returns.
    static const DeclaredType Recordset;
    static const DeclaredType Void;

    VARTYPE Type() const { return type_; }
    // For VT_PTR, VT_SAFEARRAY and VT_CARRAY.
    const DeclaredType& Element() const { return *element_; }
    ULONG ElementCount() const { return elementCount_; }
    // For VT_USERDEFINED.
    const std::wstring& Name() const { return name_; }
    TYPEKIND Kind() const { return kind_; }

private:
    DeclaredType(VARTYPE type, DeclaredType element)
        : type_(type), element_(std::make_shared<const DeclaredType>(std::move(element))) {}

    VARTYPE type_;
    std::shared_ptr<const DeclaredType> element_;
    ULONG elementCount_ = 0;
    std::wstring name_;
    TYPEKIND kind_ = TKIND_DISPATCH;
};

// Inline, so that tables of test cases at namespace scope may use them.
inline const DeclaredType DeclaredType::Recordset = DeclaredType::Dispatch(L"_Recordset");
inline const DeclaredType DeclaredType::Void = DeclaredType(VT_VOID);

using Returns = DeclaredType;
