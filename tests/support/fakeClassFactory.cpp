#include "support/fakeClassFactory.h"

HRESULT CountingClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    ++createInstanceCalls_;
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (FAILED(createFailure_)) return createFailure_;
    return Make(iid, object);
}
