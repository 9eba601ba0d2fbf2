#include "support/loggerRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {
const wchar_t kKey[] = L"Software\\Norvane Varnholt\\Suite QZ 4.0\\Tessel Reports\\";

void RemoveValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, L"CommonFiles");
        RegCloseKey(key);
    }
}
}  // namespace

std::wstring TestBinaryDirectory() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

std::wstring TestLoggerDirectory(const std::wstring& variant) {
    return TestBinaryDirectory() + L"loggers\\" + variant + L"\\";
}

LoggerRegistryValue::LoggerRegistryValue(const std::wstring& commonFiles) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    EXPECT_EQ(status, ERROR_SUCCESS);
    if (status != ERROR_SUCCESS) return;
    RegSetValueExW(key, L"CommonFiles", 0, REG_SZ, reinterpret_cast<const BYTE*>(commonFiles.c_str()),
                   static_cast<DWORD>((commonFiles.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

LoggerRegistryValue::LoggerRegistryValue() { RemoveValue(); }

LoggerRegistryValue::~LoggerRegistryValue() { RemoveValue(); }
