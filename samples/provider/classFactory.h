#pragma once
// The class object that CoCreateInstance asks for a new object of one of the sample's classes.

#include <windows.h>
#include <unknwn.h>

class ClassFactory final : public IClassFactory {
public:
    using Create = HRESULT (*)(REFIID iid, void** object);
    explicit ClassFactory(Create create) : create_(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // The class object lives as long as the module: it counts no references of its own.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    Create create_;
};
