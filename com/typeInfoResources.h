#pragma once
// Owners of what ITypeInfo hands out: type attributes, function descriptions and member names
// go back to the type information on every path.

#include <windows.h>
#include <oaidl.h>

#include <array>

#include "common/bstr.h"
#include "common/comPtr.h"

class TypeAttributes {
public:
    TypeAttributes() = default;
    ~TypeAttributes() { Reset(); }
    TypeAttributes(const TypeAttributes&) = delete;
    TypeAttributes& operator=(const TypeAttributes&) = delete;

    HRESULT Load(ITypeInfo* typeInfo);
    const TYPEATTR* operator->() const { return attributes_; }
    const TYPEATTR& operator*() const { return *attributes_; }

private:
    void Reset();
    ComPtr<ITypeInfo> typeInfo_;
    TYPEATTR* attributes_ = nullptr;
};

class FunctionDescription {
public:
    FunctionDescription() = default;
    ~FunctionDescription() { Reset(); }
    FunctionDescription(const FunctionDescription&) = delete;
    FunctionDescription& operator=(const FunctionDescription&) = delete;

    HRESULT Load(ITypeInfo* typeInfo, UINT index);
    const FUNCDESC* operator->() const { return description_; }
    const FUNCDESC& operator*() const { return *description_; }

private:
    void Reset();
    ComPtr<ITypeInfo> typeInfo_;
    FUNCDESC* description_ = nullptr;
};

// The names of a member: the member's own first, then its parameters'.
class MemberNames {
public:
    static constexpr UINT kSlots = 64;

    HRESULT Load(ITypeInfo* typeInfo, MEMBERID member);
    UINT Count() const { return count_; }
    // The name in slot index, or null when GetNames did not fill it.
    const wchar_t* operator[](UINT index) const { return index < count_ ? names_[index].Get() : nullptr; }

private:
    std::array<Bstr, kSlots> names_;
    UINT count_ = 0;
};
