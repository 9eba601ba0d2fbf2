#pragma once
// The driver DLL as the report engine sees it: loaded by path, its exports looked up by name.

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>

class DriverLibrary {
public:
    explicit DriverLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
        if (!module_) throw std::runtime_error("cannot load the driver library");
    }
    ~DriverLibrary() { FreeLibrary(module_); }
    DriverLibrary(const DriverLibrary&) = delete;
    DriverLibrary& operator=(const DriverLibrary&) = delete;

    template <class Fn>
    Fn Export(const char* name) const {
        auto address = reinterpret_cast<void*>(GetProcAddress(module_, name));
        if (!address) throw std::runtime_error(std::string("the driver does not export ") + name);
        return reinterpret_cast<Fn>(address);
    }

private:
    HMODULE module_;
};

// An export looked up by its name, with the signature that the driver's header declares for it.
#define DRIVER_EXPORT(library, name) (library).Export<decltype(&name)>(#name)

using DbInitializeFn = int32_t (*)(void*, const wchar_t*);
using DbTerminateFn = int32_t (*)();
using DbGetInfoFn = int32_t (*)(void*, int32_t, uint32_t*);
using DbFetchDatabaseTypeFn = int32_t (*)(const wchar_t*, wchar_t**);
using DbFreeStringFn = int32_t (*)(wchar_t*);
