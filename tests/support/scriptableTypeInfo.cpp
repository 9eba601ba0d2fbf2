#include "support/scriptableTypeInfo.h"

ScriptableTypeInfo::ScriptableTypeInfo(ComPtr<ITypeInfo> inner)
    : ScriptableTypeInfo(std::move(inner), std::make_shared<Failures>()) {}

ScriptableTypeInfo::ScriptableTypeInfo(ComPtr<ITypeInfo> inner, std::shared_ptr<Failures> failures)
    : inner_(std::move(inner)), failures_(std::move(failures)) {}

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

HRESULT ScriptableTypeInfo::GetTypeAttr(TYPEATTR** attributes) {
    if (FAILED(failures_->getTypeAttr)) {
        *attributes = nullptr;
        return failures_->getTypeAttr;
    }
    HRESULT result = inner_->GetTypeAttr(attributes);
    if (SUCCEEDED(result)) typeAttrs_.insert(*attributes);
    return result;
}

HRESULT ScriptableTypeInfo::GetFuncDesc(UINT index, FUNCDESC** function) {
    if (FAILED(failures_->getFuncDesc) && (!failures_->getFuncDescIndex || *failures_->getFuncDescIndex == index)) {
        *function = nullptr;
        return failures_->getFuncDesc;
    }
    HRESULT result = inner_->GetFuncDesc(index, function);
    if (SUCCEEDED(result)) funcDescs_.insert(*function);
    return result;
}

HRESULT ScriptableTypeInfo::GetNames(MEMBERID member, BSTR* names, UINT maxNames, UINT* nameCount) {
    if (FAILED(failures_->getNames)) {
        *nameCount = 0;
        return failures_->getNames;
    }
    HRESULT result = inner_->GetNames(member, names, maxNames, nameCount);
    const std::optional<UINT> dropped = failures_->droppedName;
    if (SUCCEEDED(result) && dropped && *dropped < *nameCount) {
        SysFreeString(names[*dropped]);
        names[*dropped] = nullptr;
    }
    return result;
}

HRESULT ScriptableTypeInfo::GetDocumentation(MEMBERID member, BSTR* name, BSTR* documentation, DWORD* helpContext,
                                             BSTR* helpFile) {
    if (FAILED(failures_->getDocumentation)) {
        for (BSTR* text : {name, documentation, helpFile}) {
            if (text) *text = nullptr;
        }
        if (helpContext) *helpContext = 0;
        return failures_->getDocumentation;
    }
    return inner_->GetDocumentation(member, name, documentation, helpContext, helpFile);
}

HRESULT ScriptableTypeInfo::GetRefTypeInfo(HREFTYPE reference, ITypeInfo** referenced) {
    *referenced = nullptr;
    if (FAILED(failures_->getRefTypeInfo)) return failures_->getRefTypeInfo;
    auto found = referenced_.find(reference);
    if (found == referenced_.end()) {
        ComPtr<ITypeInfo> innerReferenced;
        HRESULT result = inner_->GetRefTypeInfo(reference, innerReferenced.ReleaseAndGetAddressOf());
        if (FAILED(result)) return result;
        std::unique_ptr<ScriptableTypeInfo> wrapped(new ScriptableTypeInfo(std::move(innerReferenced), failures_));
        found = referenced_.emplace(reference, std::move(wrapped)).first;
    }
    found->second->AddRef();
    *referenced = found->second.get();
    return S_OK;
}

void ScriptableTypeInfo::ReleaseTypeAttr(TYPEATTR* attributes) {
    if (typeAttrs_.erase(attributes) == 0) {
        ADD_FAILURE() << "ReleaseTypeAttr of a TYPEATTR that this type info did not hand out (or released twice)";
        return;
    }
    inner_->ReleaseTypeAttr(attributes);
}

void ScriptableTypeInfo::ReleaseFuncDesc(FUNCDESC* function) {
    if (funcDescs_.erase(function) == 0) {
        ADD_FAILURE() << "ReleaseFuncDesc of a FUNCDESC that this type info did not hand out (or released twice)";
        return;
    }
    inner_->ReleaseFuncDesc(function);
}
