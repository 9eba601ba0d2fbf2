#include "support/fakeClassFactory.h"

HRESULT CountingClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

HRESULT CountingClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    ++createInstanceCalls_;
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (FAILED(createFailure_)) return createFailure_;
    return Make(iid, object);
}
