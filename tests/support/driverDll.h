#pragma once
// The driver DLL loaded from the test's directory, as the engine loads it. Each instance that
// loads the module first gets fresh driver-wide state; unloading it drops that state.

#include <windows.h>

#include <string>

#include "tools/dbhost/driverLibrary.h"

class DriverDll : public DriverLibrary {
public:
    DriverDll();
};

// A test-only DLL loaded by name from the test's directory, for tests that need a fresh copy
// of the driver's process-wide state.
class FreshModule {
public:
    explicit FreshModule(const wchar_t* fileName);
    ~FreshModule();
    FreshModule(const FreshModule&) = delete;
    FreshModule& operator=(const FreshModule&) = delete;

    template <class Fn>
    Fn Export(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
    bool IsLoaded() const { return module_ != nullptr; }

private:
    HMODULE module_;
};
