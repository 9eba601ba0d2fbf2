#include "registrySnapshot.h"

#include <windows.h>

#include <vector>

namespace {

void Describe(HKEY key, const std::wstring& path, std::wstring& text) {
    text += L"[" + path + L"]\n";
    DWORD subkeys = 0, values = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    for (DWORD i = 0; i < values; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) continue;
        std::vector<BYTE> data(size);
        nameLength = 256;
        RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
        text += std::wstring(name, nameLength) + L" " + std::to_wstring(type) + L" " +
                std::wstring(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t)) + L"\n";
    }
    for (DWORD i = 0; i < subkeys; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        Describe(child, path + L"\\" + name, text);
        RegCloseKey(child);
    }
}

}  // namespace

std::wstring RegistrySnapshot(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<absent>";
    std::wstring text;
    Describe(key, path, text);
    RegCloseKey(key);
    return text;
}
