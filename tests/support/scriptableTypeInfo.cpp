#include "support/scriptableTypeInfo.h"

namespace {

const ForwardedInterface kTypeInfoCalls{
    "ITypeInfo", IID_ITypeInfo,
    {FORWARDED_CALL(ITypeInfo, GetTypeAttr), FORWARDED_CALL(ITypeInfo, GetFuncDesc),
     FORWARDED_CALL(ITypeInfo, GetNames), FORWARDED_CALL(ITypeInfo, GetDocumentation),
     FORWARDED_CALL(ITypeInfo, GetRefTypeInfo)}};

}  // namespace

ScriptableTypeInfo::ScriptableTypeInfo(ComPtr<ITypeInfo> inner)
    : ScriptableTypeInfo(std::move(inner), std::make_shared<Shared>()) {}

ScriptableTypeInfo::ScriptableTypeInfo(ComPtr<ITypeInfo> inner, std::shared_ptr<Shared> shared)
    : Forwarder(kTypeInfoCalls, shared->script, ComPtr<IUnknown>(inner.Get()), "ScriptableTypeInfo"),
      shared_(std::move(shared)),
      inner_(std::move(inner)) {
    Handle(&ITypeInfo::GetTypeAttr, &ScriptableTypeInfo::GetTypeAttr);
    Handle(&ITypeInfo::GetFuncDesc, &ScriptableTypeInfo::GetFuncDesc);
    Handle(&ITypeInfo::GetNames, &ScriptableTypeInfo::GetNames);
    Handle(&ITypeInfo::GetRefTypeInfo, &ScriptableTypeInfo::GetRefTypeInfo);
    Handle(&ITypeInfo::ReleaseTypeAttr, &ScriptableTypeInfo::ReleaseTypeAttr);
    Handle(&ITypeInfo::ReleaseFuncDesc, &ScriptableTypeInfo::ReleaseFuncDesc);
}

ScriptableTypeInfo::~ScriptableTypeInfo() {
    EXPECT_TRUE(typeAttrs_.empty()) << typeAttrs_.size() << " TYPEATTR not released";
    EXPECT_TRUE(funcDescs_.empty()) << funcDescs_.size() << " FUNCDESC not released";
    // The blocks still belong to the real type information.
    for (TYPEATTR* attributes : typeAttrs_) inner_->ReleaseTypeAttr(attributes);
    for (FUNCDESC* function : funcDescs_) inner_->ReleaseFuncDesc(function);
}

size_t ScriptableTypeInfo::OutstandingTypeAttrs() const {
    size_t outstanding = typeAttrs_.size();
    for (const auto& [reference, info] : referenced_) outstanding += info->OutstandingTypeAttrs();
    return outstanding;
}

size_t ScriptableTypeInfo::OutstandingFuncDescs() const {
    size_t outstanding = funcDescs_.size();
    for (const auto& [reference, info] : referenced_) outstanding += info->OutstandingFuncDescs();
    return outstanding;
}

ULONG ScriptableTypeInfo::ReferencedTypeInfoReferences() const {
    ULONG held = 0;
    for (const auto& [reference, info] : referenced_) held += info->References() - 1 + info->ReferencedTypeInfoReferences();
    return held;
}

HRESULT ScriptableTypeInfo::GetTypeAttr(ScriptableTypeInfo* self, TYPEATTR** attributes) {
    *attributes = nullptr;
    if (HRESULT failure = self->Answer("ITypeInfo::GetTypeAttr")) return failure;
    HRESULT result = self->inner_->GetTypeAttr(attributes);
    if (SUCCEEDED(result)) self->typeAttrs_.insert(*attributes);
    return result;
}

HRESULT ScriptableTypeInfo::GetFuncDesc(ScriptableTypeInfo* self, UINT index, FUNCDESC** function) {
    *function = nullptr;
    const HRESULT failure = self->Answer("ITypeInfo::GetFuncDesc");
    const std::optional<UINT> only = self->shared_->funcDescIndex;
    if (FAILED(failure) && (!only || *only == index)) return failure;
    HRESULT result = self->inner_->GetFuncDesc(index, function);
    if (SUCCEEDED(result)) self->funcDescs_.insert(*function);
    return result;
}

HRESULT ScriptableTypeInfo::GetNames(ScriptableTypeInfo* self, MEMBERID member, BSTR* names, UINT maxNames,
                                     UINT* count) {
    *count = 0;
    if (HRESULT failure = self->Answer("ITypeInfo::GetNames")) return failure;
    HRESULT result = self->inner_->GetNames(member, names, maxNames, count);
    const std::optional<UINT> dropped = self->shared_->droppedName;
    if (SUCCEEDED(result) && dropped && *dropped < *count) {
        SysFreeString(names[*dropped]);
        names[*dropped] = nullptr;
    }
    return result;
}

HRESULT ScriptableTypeInfo::GetRefTypeInfo(ScriptableTypeInfo* self, HREFTYPE reference, ITypeInfo** referenced) {
    *referenced = nullptr;
    if (HRESULT failure = self->Answer("ITypeInfo::GetRefTypeInfo")) return failure;
    auto found = self->referenced_.find(reference);
    if (found == self->referenced_.end()) {
        ComPtr<ITypeInfo> real;
        HRESULT result = self->inner_->GetRefTypeInfo(reference, real.ReleaseAndGetAddressOf());
        if (FAILED(result)) return result;
        std::unique_ptr<ScriptableTypeInfo> wrapped(new ScriptableTypeInfo(std::move(real), self->shared_));
        found = self->referenced_.emplace(reference, std::move(wrapped)).first;
    }
    *referenced = *found->second;
    (*referenced)->AddRef();
    return S_OK;
}

void ScriptableTypeInfo::ReleaseTypeAttr(ScriptableTypeInfo* self, TYPEATTR* attributes) {
    if (self->typeAttrs_.erase(attributes) == 0) {
        ADD_FAILURE() << "ReleaseTypeAttr of a TYPEATTR that this type info did not hand out (or released twice)";
        return;
    }
    self->inner_->ReleaseTypeAttr(attributes);
}

void ScriptableTypeInfo::ReleaseFuncDesc(ScriptableTypeInfo* self, FUNCDESC* function) {
    if (self->funcDescs_.erase(function) == 0) {
        ADD_FAILURE() << "ReleaseFuncDesc of a FUNCDESC that this type info did not hand out (or released twice)";
        return;
    }
    self->inner_->ReleaseFuncDesc(function);
}
