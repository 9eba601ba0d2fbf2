#pragma once
// The runtime library's registry reader: one key opened for reading, closed on destruction.

#include <windows.h>

#include "platform/SWCharString.h"

namespace PVLib500 {

class Registry {
public:
    // Opens keyPath + "\" + subKey (either may be empty) under root for reading.
    Registry(const SWCharString& subKey, const SWCharString& keyPath, HKEY root, int flag = 1);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // The value as text; empty when the key or the value is missing or is not text.
    SWCharString ReadValue(const SWCharString& name) const;

private:
    HKEY key_ = nullptr;
};

}  // namespace PVLib500

using PVLib500::Registry;
