#include "com/typeInfoResources.h"

HRESULT TypeAttributes::Load(ITypeInfo* typeInfo) {
    Reset();
    HRESULT result = typeInfo->GetTypeAttr(&attributes_);
    if (FAILED(result)) attributes_ = nullptr;
    else typeInfo_ = ComPtr<ITypeInfo>(typeInfo);
    return result;
}

void TypeAttributes::Reset() {
    if (attributes_) typeInfo_->ReleaseTypeAttr(attributes_);
    attributes_ = nullptr;
    typeInfo_.Reset();
}

HRESULT FunctionDescription::Load(ITypeInfo* typeInfo, UINT index) {
    Reset();
    HRESULT result = typeInfo->GetFuncDesc(index, &description_);
    if (FAILED(result)) description_ = nullptr;
    else typeInfo_ = ComPtr<ITypeInfo>(typeInfo);
    return result;
}

void FunctionDescription::Reset() {
    if (description_) typeInfo_->ReleaseFuncDesc(description_);
    description_ = nullptr;
    typeInfo_.Reset();
}

HRESULT MemberNames::Load(ITypeInfo* typeInfo, MEMBERID member) {
    for (Bstr& name : names_) name.Reset();
    count_ = 0;
    BSTR raw[kSlots] = {};
    UINT count = 0;
    HRESULT result = typeInfo->GetNames(member, raw, kSlots, &count);
    if (count > kSlots) count = kSlots;
    // Whatever was handed out is owned from here, also when the call reports failure.
    for (UINT i = 0; i < kSlots; ++i) names_[i].Attach(raw[i]);
    if (SUCCEEDED(result)) count_ = count;
    return result;
}
