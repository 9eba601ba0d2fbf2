#pragma once
// Type information that forwards to a real ITypeInfo but can be told to fail, and that counts
// what it hands out: its references, the TYPEATTR and FUNCDESC blocks not yet released, and the
// references held to the type infos that GetRefTypeInfo gave (those are scriptable too and share
// this one's failures). Tests prove with it that the driver gives every piece back on every
// path. Supported: GetTypeAttr, GetFuncDesc, GetNames, GetDocumentation, GetRefTypeInfo,
// ReleaseTypeAttr, ReleaseFuncDesc; any other call fails the test and returns E_NOTIMPL.
// Counts include the double's own reference (see testDouble.h); its destructor checks that
// everything came back.

#include <windows.h>
#include <oaidl.h>

#include <map>
#include <string>
#include <vector>
#include <memory>
#include <optional>
#include <set>

#include "common/comPtr.h"
#include "support/handOut.h"
#include "support/testDouble.h"

class ScriptableTypeInfo final : public ITypeInfo {
public:
    explicit ScriptableTypeInfo(ComPtr<ITypeInfo> inner);
    ~ScriptableTypeInfo();
    ScriptableTypeInfo(const ScriptableTypeInfo&) = delete;
    ScriptableTypeInfo& operator=(const ScriptableTypeInfo&) = delete;

    // Each failure holds until it is changed; S_OK lets the call through again. A failure applies
    // here and in every type info handed out by GetRefTypeInfo.
    void FailGetTypeAttr(HRESULT result) { failures_->getTypeAttr = result; }
    // Without an index every GetFuncDesc fails, otherwise only the one for that index.
    void FailGetFuncDesc(HRESULT result, std::optional<UINT> index = std::nullopt) {
        failures_->getFuncDesc = result;
        failures_->getFuncDescIndex = index;
    }
    void FailGetRefTypeInfo(HRESULT result) { failures_->getRefTypeInfo = result; }
    void FailGetDocumentation(HRESULT result) { failures_->getDocumentation = result; }
    void FailGetNames(HRESULT result) { failures_->getNames = result; }
    // GetNames succeeds but leaves that slot null, as a malformed type library does; none: all filled.
    void DropName(std::optional<UINT> slot) { failures_->droppedName = slot; }

    ULONG References() const { return references_.Value(); }
    void LogReleasesTo(std::vector<std::string>& log, std::string name) { references_.LogReleasesTo(log, std::move(name)); }
    // Blocks handed out and not released, here and by the type infos from GetRefTypeInfo.
    size_t OutstandingTypeAttrs() const;
    size_t OutstandingFuncDescs() const;
    // References that others hold to the type infos from GetRefTypeInfo (their own ones excluded).
    ULONG ReferencedTypeInfoReferences() const;

    // The wrapped type information, for fakes that need it without being counted.
    ITypeInfo* Inner() const { return inner_.Get(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return HandOutAs<ITypeInfo>(this, iid, IID_ITypeInfo, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }

    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** attributes) override;
    HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp**) override { return UnexpectedCall("ITypeInfo::GetTypeComp"); }
    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** function) override;
    HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC**) override { return UnexpectedCall("ITypeInfo::GetVarDesc"); }
    HRESULT STDMETHODCALLTYPE GetNames(MEMBERID member, BSTR* names, UINT maxNames, UINT* nameCount) override;
    HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT, HREFTYPE*) override {
        return UnexpectedCall("ITypeInfo::GetRefTypeOfImplType");
    }
    HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT, INT*) override {
        return UnexpectedCall("ITypeInfo::GetImplTypeFlags");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override {
        return UnexpectedCall("ITypeInfo::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return UnexpectedCall("ITypeInfo::Invoke");
    }
    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID member, BSTR* name, BSTR* documentation, DWORD* helpContext,
                                               BSTR* helpFile) override;
    HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
        return UnexpectedCall("ITypeInfo::GetDllEntry");
    }
    HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE reference, ITypeInfo** referenced) override;
    HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID*) override {
        return UnexpectedCall("ITypeInfo::AddressOfMember");
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID*) override {
        return UnexpectedCall("ITypeInfo::CreateInstance");
    }
    HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR*) override { return UnexpectedCall("ITypeInfo::GetMops"); }
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib**, UINT*) override {
        return UnexpectedCall("ITypeInfo::GetContainingTypeLib");
    }
    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* attributes) override;
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC* function) override;
    void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override { UnexpectedCall("ITypeInfo::ReleaseVarDesc"); }

private:
    struct Failures {
        HRESULT getTypeAttr = S_OK;
        HRESULT getFuncDesc = S_OK;
        std::optional<UINT> getFuncDescIndex;
        HRESULT getRefTypeInfo = S_OK;
        HRESULT getDocumentation = S_OK;
        HRESULT getNames = S_OK;
        std::optional<UINT> droppedName;
    };

    ScriptableTypeInfo(ComPtr<ITypeInfo> inner, std::shared_ptr<Failures> failures);

    ComPtr<ITypeInfo> inner_;
    std::shared_ptr<Failures> failures_;
    ReferenceCount references_{"ScriptableTypeInfo"};
    std::set<TYPEATTR*> typeAttrs_;
    std::set<FUNCDESC*> funcDescs_;
    // One double per reference, made on first use and kept (not referenced) until this one goes.
    std::map<HREFTYPE, std::unique_ptr<ScriptableTypeInfo>> referenced_;
};
