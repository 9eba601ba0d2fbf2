#pragma once
// Class objects for the test doubles. A CountingClassFactory counts its references and its
// CreateInstance calls and can be told to refuse creation with a chosen HRESULT; what it
// creates is its subclass's. A FakeClassFactory hands out one FakeProvider on every
// CreateInstance (so tests read its count). Counts include the double's own reference (see
// testDouble.h).

#include <windows.h>
#include <unknwn.h>

#include "support/fakeProvider.h"
#include "support/handOut.h"
#include "support/testDouble.h"

class CountingClassFactory : public IClassFactory {
public:
    CountingClassFactory() = default;
    virtual ~CountingClassFactory() = default;
    CountingClassFactory(const CountingClassFactory&) = delete;
    CountingClassFactory& operator=(const CountingClassFactory&) = delete;

    // Holds until it is changed; S_OK creates again.
    void FailCreateInstance(HRESULT result) { createFailure_ = result; }
    int CreateInstanceCalls() const { return createInstanceCalls_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return HandOutAs<IClassFactory>(this, iid, IID_IClassFactory, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

protected:
    // An object for iid, once creation is neither refused nor aggregated.
    virtual HRESULT Make(REFIID iid, void** object) = 0;

private:
    ReferenceCount references_{"class object"};
    HRESULT createFailure_ = S_OK;
    int createInstanceCalls_ = 0;
};

class FakeClassFactory final : public CountingClassFactory {
public:
    explicit FakeClassFactory(FakeProvider& provider) : provider_(provider) {}

protected:
    HRESULT Make(REFIID iid, void** object) override { return static_cast<IDispatch*>(provider_)->QueryInterface(iid, object); }

private:
    FakeProvider& provider_;
};
