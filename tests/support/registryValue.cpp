#include "support/registryValue.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::wstring> ReadValue(HKEY root, const std::wstring& key, const std::wstring& name) {
    wchar_t text[4096];
    DWORD size = sizeof(text);
    if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

void WriteValue(HKEY root, const std::wstring& key, const std::wstring& name, const std::optional<std::wstring>& value) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    if (value) {
        RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(opened, name.c_str());
    }
    RegCloseKey(opened);
    EXPECT_EQ(ReadValue(root, key, name), value);
}

}  // namespace

RegistryValue::RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name, const std::optional<std::wstring>& value)
    : root_(root), key_(key), name_(name), saved_(ReadValue(root, key, name)) {
    WriteValue(root_, key_, name_, value);
}

RegistryValue::~RegistryValue() { WriteValue(root_, key_, name_, saved_); }
