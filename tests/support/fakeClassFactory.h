#pragma once
// The class object of a FakeProvider: every CreateInstance hands out that same provider (so
// tests read its count), unless it was told to refuse with a chosen HRESULT. Counts include the
// double's own reference (see testDouble.h).

#include <windows.h>
#include <unknwn.h>

#include "support/fakeProvider.h"
#include "support/handOut.h"
#include "support/testDouble.h"

class FakeClassFactory final : public IClassFactory {
public:
    explicit FakeClassFactory(FakeProvider& provider) : provider_(provider) {}
    FakeClassFactory(const FakeClassFactory&) = delete;
    FakeClassFactory& operator=(const FakeClassFactory&) = delete;

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

private:
    FakeProvider& provider_;
    ReferenceCount references_{"FakeClassFactory"};
    HRESULT createFailure_ = S_OK;
    int createInstanceCalls_ = 0;
};
