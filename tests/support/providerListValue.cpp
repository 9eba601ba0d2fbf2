#include "support/providerListValue.h"

#include <gtest/gtest.h>

#include "ado/providerLists.h"

namespace {

std::optional<std::wstring> ReadValue(HKEY root, const std::wstring& valueName) {
    wchar_t text[4096];
    DWORD size = sizeof(text);
    if (RegGetValueW(root, kProviderListsKey, valueName.c_str(), RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

void WriteValue(HKEY root, const std::wstring& valueName, const std::optional<std::wstring>& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, kProviderListsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (value) {
        RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(key, valueName.c_str());
    }
    RegCloseKey(key);
    EXPECT_EQ(ReadValue(root, valueName), value);
}

}  // namespace

ProviderListValue::ProviderListValue(HKEY root, const wchar_t* valueName, const std::optional<std::wstring>& value)
    : root_(root), valueName_(valueName), saved_(ReadValue(root, valueName)) {
    WriteValue(root_, valueName_, value);
}

ProviderListValue::~ProviderListValue() { WriteValue(root_, valueName_, saved_); }
