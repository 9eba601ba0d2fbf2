#pragma once
// A COM data provider object on the forwarder (comForwarder.h), with no real object behind it:
// IDispatch over real type information. GetTypeInfo (index 0) hands out that type information
// wrapped in a ScriptableTypeInfo, so that its references and blocks are counted; GetIDsOfNames
// resolves names through it; Invoke calls the handler that the test registered for the member id
// and fails others, and calls whose flags lack the member's kind, with DISP_E_MEMBERNOTFOUND. A
// handler's failure reaches the caller as RaiseFailures says.

#include <functional>
#include <map>

#include "common/variant.h"
#include "support/scriptableTypeInfo.h"

class FakeProvider final : public Forwarder {
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

    explicit FakeProvider(ComPtr<ITypeInfo> typeInfo);

    operator IDispatch*() { return As<IDispatch>(); }
    ScriptableTypeInfo& TypeInfo() { return typeInfo_; }
    // Holds until it is changed; S_OK lets the call through again.
    void FailGetTypeInfo(HRESULT result) { script_.Fail("IDispatch::GetTypeInfo", result, WithoutErrorObject); }
    void OnInvoke(DISPID member, MethodHandler handler) { handlers_[member] = std::move(handler); }
    void RaiseFailures(Failures failures) {
        failures_ = failures;
        script_.DeclareErrorObjects(failures == Failures::ErrorObjects);
    }
    // The member id of a method as the type information declares it; DISPID_UNKNOWN if none.
    DISPID DispIdOf(const wchar_t* name) const;

private:
    static HRESULT GetTypeInfoCount(FakeProvider* self, UINT* count);
    static HRESULT GetTypeInfo(FakeProvider* self, UINT index, LCID locale, ITypeInfo** typeInfo);
    static HRESULT GetIDsOfNames(FakeProvider* self, REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale,
                                 DISPID* members);
    static HRESULT Invoke(FakeProvider* self, DISPID member, REFIID iid, LCID locale, WORD flags,
                          DISPPARAMS* arguments, VARIANT* result, EXCEPINFO* exception, UINT* argumentError);
    bool Declares(DISPID member, WORD flags) const;

    CallScript script_;
    ScriptableTypeInfo typeInfo_;
    std::map<DISPID, MethodHandler> handlers_;
    Failures failures_ = Failures::Exceptions;
};
