#include "support/fakeProvider.h"

#include <oleauto.h>

DISPID FakeProvider::DispIdOf(const wchar_t* name) const {
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DispGetIDsOfNames(typeInfo_.Inner(), names, 1, &member);
    return member;
}

HRESULT FakeProvider::GetTypeInfoCount(UINT* count) {
    *count = 1;
    return S_OK;
}

HRESULT FakeProvider::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) {
    *typeInfo = nullptr;
    if (FAILED(getTypeInfoFailure_)) return getTypeInfoFailure_;
    if (index != 0) return DISP_E_BADINDEX;
    typeInfo_.AddRef();
    *typeInfo = &typeInfo_;
    return S_OK;
}

HRESULT FakeProvider::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID, DISPID* members) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return DispGetIDsOfNames(typeInfo_.Inner(), names, nameCount, members);
}

HRESULT FakeProvider::Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* arguments,
                             VARIANT* result, EXCEPINFO*, UINT*) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    auto handler = handlers_.find(member);
    if (handler == handlers_.end()) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none{};
    Variant returned;
    HRESULT outcome = handler->second(Invocation{member, locale, flags, arguments ? *arguments : none}, returned);
    if (SUCCEEDED(outcome) && result) returned.Detach(result);
    return outcome;
}
