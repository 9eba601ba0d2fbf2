#include "platform/Registry.h"

#include <string>

namespace PVLib500 {

Registry::Registry(const SWCharString& subKey, const SWCharString& keyPath, HKEY root, int) {
    SWCharString path = keyPath;
    if (!subKey.isEmpty()) {
        if (!path.isEmpty() && path[path.length() - 1] != L'\\') path += L'\\';
        path += subKey;
    }
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
}

Registry::~Registry() {
    if (key_) RegCloseKey(key_);
}

SWCharString Registry::ReadValue(const SWCharString& name) const {
    if (!key_) return SWCharString();
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key_, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return SWCharString();
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0) return SWCharString();
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD read = bytes;
    if (RegQueryValueExW(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &read) !=
        ERROR_SUCCESS)
        return SWCharString();
    // A stored value need not carry its terminator; the extra character supplies one.
    text.resize(read / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return SWCharString(std::move(text));
}

}  // namespace PVLib500
