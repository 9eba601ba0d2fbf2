#pragma once
// A minimal COM object that counts its references, so that tests can check every hand-off.
// It lives on the stack; its count starts at 1 for the test's own reference.

#include <windows.h>
#include <unknwn.h>

#include "support/handOut.h"

class CountingUnknown : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return HandOutAs<IUnknown>(this, iid, IID_IUnknown, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references_); }

    long References() const { return references_; }

private:
    long references_ = 1;
};
