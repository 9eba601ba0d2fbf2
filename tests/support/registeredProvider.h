#pragma once
// A FakeProvider made creatable for this process for a scope, the way the engine's user names
// it (classRegistration.h). Without a class identifier of its own choosing a registration gets
// a fresh one, so tests do not collide.

#include <windows.h>

#include <string>

#include "support/classRegistration.h"
#include "support/fakeClassFactory.h"
#include "support/fakeProvider.h"

class RegisteredProvider {
public:
    // An empty progId registers the class identifier only.
    RegisteredProvider(FakeProvider& provider, std::wstring progId, const CLSID& clsid = FreshClsid())
        : factory_(provider), registration_(factory_, std::move(progId), clsid) {}

    // The registry form: hexadecimal digits in braces.
    std::wstring ClsidString() const { return registration_.ClsidString(); }
    const std::wstring& ProgId() const { return registration_.ProgId(); }
    FakeClassFactory& Factory() { return factory_; }

private:
    FakeClassFactory factory_;
    ClassRegistration registration_;
};
