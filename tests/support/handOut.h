#pragma once
// QueryInterface of a double that implements one interface besides IUnknown: it hands itself out
// as that interface, with a reference counted for the caller.

#include <windows.h>
#include <unknwn.h>

template <class Interface>
HRESULT HandOutAs(Interface* self, REFIID iid, REFIID implemented, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != implemented) return E_NOINTERFACE;
    *object = self;
    self->AddRef();
    return S_OK;
}
