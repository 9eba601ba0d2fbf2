#include "support/fakeProvider.h"

#include <oleauto.h>

namespace {

const ForwardedInterface kDispatchCalls{"IDispatch", IID_IDispatch, {FORWARDED_CALL(IDispatch, GetTypeInfo)}};

// Every text filled in, as providers raise an exception, for the caller to free.
HRESULT STDMETHODCALLTYPE FillException(EXCEPINFO* exception) {
    exception->pfnDeferredFillIn = nullptr;
    exception->scode = E_FAIL;
    exception->bstrSource = SysAllocString(L"FakeProvider");
    exception->bstrDescription = SysAllocString(L"The method failed on purpose.");
    exception->bstrHelpFile = SysAllocString(L"fakeProvider.chm");
    return S_OK;
}

}  // namespace

FakeProvider::FakeProvider(ComPtr<ITypeInfo> typeInfo)
    : Forwarder(kDispatchCalls, script_, nullptr, "FakeProvider"), typeInfo_(std::move(typeInfo)) {
    Handle(&IDispatch::GetTypeInfoCount, &FakeProvider::GetTypeInfoCount);
    Handle(&IDispatch::GetTypeInfo, &FakeProvider::GetTypeInfo);
    Handle(&IDispatch::GetIDsOfNames, &FakeProvider::GetIDsOfNames);
    Handle(&IDispatch::Invoke, &FakeProvider::Invoke);
}

DISPID FakeProvider::DispIdOf(const wchar_t* name) const {
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DispGetIDsOfNames(typeInfo_.Inner(), names, 1, &member);
    return member;
}

HRESULT FakeProvider::GetTypeInfoCount(FakeProvider*, UINT* count) {
    *count = 1;
    return S_OK;
}

HRESULT FakeProvider::GetTypeInfo(FakeProvider* self, UINT index, LCID, ITypeInfo** typeInfo) {
    *typeInfo = nullptr;
    if (HRESULT failure = self->Answer("IDispatch::GetTypeInfo")) return failure;
    if (index != 0) return DISP_E_BADINDEX;
    *typeInfo = self->typeInfo_;
    (*typeInfo)->AddRef();
    return S_OK;
}

HRESULT FakeProvider::GetIDsOfNames(FakeProvider* self, REFIID iid, LPOLESTR* names, UINT nameCount, LCID,
                                    DISPID* members) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return DispGetIDsOfNames(self->typeInfo_.Inner(), names, nameCount, members);
}

// As the platform's dispatch does: a member is found only when the flags include its kind.
bool FakeProvider::Declares(DISPID member, WORD flags) const {
    ITypeInfo* info = typeInfo_.Inner();
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return false;
    bool found = false;
    for (UINT index = 0; index < attributes->cFuncs && !found; ++index) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(index, &function))) continue;
        found = function->memid == member && (function->invkind & flags) != 0;
        info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    return found;
}

HRESULT FakeProvider::Invoke(FakeProvider* self, DISPID member, REFIID iid, LCID locale, WORD flags,
                             DISPPARAMS* arguments, VARIANT* result, EXCEPINFO* exception, UINT*) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    auto handler = self->handlers_.find(member);
    if (handler == self->handlers_.end() || !self->Declares(member, flags)) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none{};
    Variant returned;
    HRESULT outcome = handler->second(Invocation{member, locale, flags, arguments ? *arguments : none}, returned);
    if (SUCCEEDED(outcome) && result) returned.Detach(result);
    if (SUCCEEDED(outcome) || self->failures_ == Failures::Bare) return outcome;
    if (self->failures_ == Failures::ErrorObjects) {
        SetThreadErrorObject(L"FakeProvider", L"The method failed on purpose.");
        return outcome;
    }
    if (exception) {
        *exception = EXCEPINFO{};
        if (self->failures_ == Failures::DeferredExceptions)
            exception->pfnDeferredFillIn = &FillException;
        else
            FillException(exception);
    }
    return DISP_E_EXCEPTION;
}
