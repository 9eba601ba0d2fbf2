#pragma once
// A COM data provider object: IDispatch over real type information. GetTypeInfo (index 0) hands
// out that type information wrapped in a ScriptableTypeInfo, so that its references and blocks
// are counted; GetIDsOfNames resolves names through it; Invoke calls the handler that the test
// registered for the member id and fails others, and calls whose flags lack the member's kind, with
// DISP_E_MEMBERNOTFOUND. A handler's failure reaches the caller as RaiseFailures says. Counts
// include the double's own reference (see testDouble.h).

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/comPtr.h"
#include "common/variant.h"
#include "support/scriptableTypeInfo.h"
#include "support/handOut.h"
#include "support/testDouble.h"

class FakeProvider final : public IDispatch, public ISupportErrorInfo {
public:
    // How a handler's failure reaches the caller: with DISP_E_EXCEPTION and an exception record
    // whose texts are filled in at once, or through its deferred fill-in; with any other failure
    // and the thread's error object, which the provider then declares it sets; or bare.
    enum class Failures { Exceptions, DeferredExceptions, ErrorObjects, Bare };

    struct Invocation {
        DISPID member;
        LCID locale;
        WORD flags;
        const DISPPARAMS& arguments;
    };
    // What the handler leaves in result goes to the caller when it returns success.
    using MethodHandler = std::function<HRESULT(const Invocation& call, Variant& result)>;

    explicit FakeProvider(ComPtr<ITypeInfo> typeInfo) : typeInfo_(std::move(typeInfo)) {}
    FakeProvider(const FakeProvider&) = delete;
    FakeProvider& operator=(const FakeProvider&) = delete;

    ScriptableTypeInfo& TypeInfo() { return typeInfo_; }
    // Each failure holds until it is changed; S_OK lets the call through again.
    void FailGetTypeInfo(HRESULT result) { getTypeInfoFailure_ = result; }
    void OnInvoke(DISPID member, MethodHandler handler) { handlers_[member] = std::move(handler); }
    void RaiseFailures(Failures failures) { failures_ = failures; }
    // The member id of a method as the type information declares it; DISPID_UNKNOWN if none.
    DISPID DispIdOf(const wchar_t* name) const;

    ULONG References() const { return references_.Value(); }
    void LogReleasesTo(std::vector<std::string>& log, std::string name) { references_.LogReleasesTo(log, std::move(name)); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_ISupportErrorInfo) return HandOutAs<ISupportErrorInfo>(this, iid, iid, object);
        return HandOutAs<IDispatch>(this, iid, IID_IDispatch, object);
    }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == IID_IDispatch && failures_ == Failures::ErrorObjects ? S_OK : S_FALSE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale,
                                            DISPID* members) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* arguments,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    bool Declares(DISPID member, WORD flags) const;

    ReferenceCount references_{"FakeProvider"};
    ScriptableTypeInfo typeInfo_;
    HRESULT getTypeInfoFailure_ = S_OK;
    std::map<DISPID, MethodHandler> handlers_;
    Failures failures_ = Failures::Exceptions;
};
