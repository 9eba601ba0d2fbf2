#include "common/registryString.h"

#include "platform/Registry.h"

bool ReadRegistryString(HKEY root, const wchar_t* keyPath, const wchar_t* valueName, wchar_t* buffer,
                        size_t bufferSize) {
    if (!buffer) return false;
    const Registry key(SWCharString(), keyPath, root, 1);
    const SWCharString value = key.ReadValue(valueName);
    if (value.isEmpty() || value.length() + 1 > bufferSize) return false;
    value.toWChar(buffer, bufferSize);
    return true;
}
