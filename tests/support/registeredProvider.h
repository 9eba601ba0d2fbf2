#pragma once
// A FakeProvider made creatable for this process for a scope, the way the engine's user names
// it: its class object registered with CoRegisterClassObject, and its ProgID mapped to the
// class identifier under HKEY_CLASSES_ROOT (HKLM\Software\Classes, since Wine 8 ignores the
// user's classes when it resolves a ProgID). Both are removed when the scope ends. Without a
// class identifier of its own choosing a registration gets a fresh one, so tests do not collide.

#include <windows.h>

#include <string>

#include "support/fakeClassFactory.h"
#include "support/fakeProvider.h"

class RegisteredProvider {
public:
    RegisteredProvider(FakeProvider& provider, std::wstring progId);
    RegisteredProvider(FakeProvider& provider, std::wstring progId, const CLSID& clsid);
    ~RegisteredProvider();
    RegisteredProvider(const RegisteredProvider&) = delete;
    RegisteredProvider& operator=(const RegisteredProvider&) = delete;

    // The registry form: hexadecimal digits in braces.
    std::wstring ClsidString() const;
    const std::wstring& ProgId() const { return progId_; }
    FakeClassFactory& Factory() { return factory_; }

private:
    void RemoveProgId() const;

    FakeClassFactory factory_;
    std::wstring progId_;
    CLSID clsid_;
    DWORD cookie_ = 0;
};
