#pragma once
// Real type information for a fake provider, built by OLE Automation itself (CreateTypeLib2):
// a dispatch interface deriving from IDispatch, as a dual interface's dispatch view looks, so
// that its functions 0 to 6 are the inherited QueryInterface ... Invoke and the declared members
// follow from index 7. Named types that members use (Returns::Recordset names "_Recordset") are
// created in the same type library.
//
//     DispatchInterfaceBuilder b(L"IProvider");
//     b.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR).Param(L"minimum", VT_I4);
//     b.PropertyGet(L"AllOrders", Returns::Recordset);
//     ComPtr<ITypeInfo> info = b.Build();

#include <windows.h>
#include <oaidl.h>

#include <deque>
#include <string>
#include <vector>

#include "common/comPtr.h"
#include "support/declaredType.h"

class DispatchInterfaceBuilder {
public:
    struct Parameter {
        std::wstring name;
        DeclaredType type;
        USHORT flags;
    };

    struct Member {
        std::wstring name;
        DeclaredType returns;
        INVOKEKIND invokeKind;
        DISPID id;
        std::vector<Parameter> parameters;

        // Input-only unless flags say otherwise (PARAMFLAG_FOUT, PARAMFLAG_FIN | PARAMFLAG_FOUT,
        // PARAMFLAG_FOUT | PARAMFLAG_FRETVAL, or 0 for none).
        Member& Param(std::wstring parameterName, DeclaredType type, USHORT flags = PARAMFLAG_FIN) {
            parameters.push_back({std::move(parameterName), std::move(type), flags});
            return *this;
        }
    };

    // kind TKIND_INTERFACE builds a vtable interface (deriving from IDispatch) of the same
    // members instead, for providers whose type information is not a dispatch interface.
    explicit DispatchInterfaceBuilder(std::wstring name, TYPEKIND kind = TKIND_DISPATCH)
        : name_(std::move(name)), kind_(kind) {}

    // Members get the member ids 1, 2, 3 ... in the order they are declared.
    Member& Method(const std::wstring& name, const DeclaredType& returns);
    Member& PropertyGet(const std::wstring& name, const DeclaredType& returns);

    // Builds a new type library each time; set-up failures throw (see setupCheck.h).
    ComPtr<ITypeInfo> Build() const;

private:
    Member& Add(const std::wstring& name, const DeclaredType& returns, INVOKEKIND invokeKind);

    std::wstring name_;
    TYPEKIND kind_;
    // A deque keeps the references that Method hands out valid while more members are added.
    std::deque<Member> members_;
};
