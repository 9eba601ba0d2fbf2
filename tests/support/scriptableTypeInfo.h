#pragma once
// Type information on the forwarder (comForwarder.h): every call goes to a real ITypeInfo unless
// it is told to fail, and what it hands out is counted: the TYPEATTR and FUNCDESC blocks not yet
// released, and the references held to the type infos that GetRefTypeInfo gave (those are
// scriptable too and share this one's failures). Tests prove with it that the driver gives every
// piece back on every path; its destructor checks that everything came back.

#include <map>
#include <memory>
#include <optional>
#include <set>

#include "support/comForwarder.h"

class ScriptableTypeInfo final : public Forwarder {
public:
    explicit ScriptableTypeInfo(ComPtr<ITypeInfo> inner);
    ~ScriptableTypeInfo();

    operator ITypeInfo*() { return As<ITypeInfo>(); }

    // Each failure holds until it is changed, here and in every type info from GetRefTypeInfo;
    // S_OK lets the call through again. No error object is set.
    void FailGetTypeAttr(HRESULT result) { Fail("ITypeInfo::GetTypeAttr", result); }
    // Without an index every GetFuncDesc fails, otherwise only the one for that index.
    void FailGetFuncDesc(HRESULT result, std::optional<UINT> index = std::nullopt) {
        shared_->funcDescIndex = index;
        Fail("ITypeInfo::GetFuncDesc", result);
    }
    void FailGetRefTypeInfo(HRESULT result) { Fail("ITypeInfo::GetRefTypeInfo", result); }
    void FailGetDocumentation(HRESULT result) { Fail("ITypeInfo::GetDocumentation", result); }
    void FailGetNames(HRESULT result) { Fail("ITypeInfo::GetNames", result); }
    // GetNames succeeds but leaves that slot null, as a malformed type library does; none: all filled.
    void DropName(std::optional<UINT> slot) { shared_->droppedName = slot; }

    // Blocks handed out and not released, here and by the type infos from GetRefTypeInfo.
    size_t OutstandingTypeAttrs() const;
    size_t OutstandingFuncDescs() const;
    // References that others hold to the type infos from GetRefTypeInfo (their own ones excluded).
    ULONG ReferencedTypeInfoReferences() const;
    // The wrapped type information, for fakes that need it without being counted.
    ITypeInfo* Inner() const { return inner_.Get(); }

private:
    struct Shared {
        CallScript script;
        std::optional<UINT> funcDescIndex;
        std::optional<UINT> droppedName;
    };

    ScriptableTypeInfo(ComPtr<ITypeInfo> inner, std::shared_ptr<Shared> shared);
    void Fail(const char* call, HRESULT result) { shared_->script.Fail(call, result, WithoutErrorObject); }

    static HRESULT GetTypeAttr(ScriptableTypeInfo* self, TYPEATTR** attributes);
    static HRESULT GetFuncDesc(ScriptableTypeInfo* self, UINT index, FUNCDESC** function);
    static HRESULT GetNames(ScriptableTypeInfo* self, MEMBERID member, BSTR* names, UINT maxNames, UINT* count);
    static HRESULT GetRefTypeInfo(ScriptableTypeInfo* self, HREFTYPE reference, ITypeInfo** referenced);
    static void ReleaseTypeAttr(ScriptableTypeInfo* self, TYPEATTR* attributes);
    static void ReleaseFuncDesc(ScriptableTypeInfo* self, FUNCDESC* function);

    std::shared_ptr<Shared> shared_;
    ComPtr<ITypeInfo> inner_;
    std::set<TYPEATTR*> typeAttrs_;
    std::set<FUNCDESC*> funcDescs_;
    // One double per reference, made on first use and kept (not referenced) until this one goes.
    std::map<HREFTYPE, std::unique_ptr<ScriptableTypeInfo>> referenced_;
};
