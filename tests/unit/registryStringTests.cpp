// Registry texts read into a fixed buffer, on a test key of the real registry.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/registryString.h"

namespace {

const wchar_t kTestKey[] = L"Software\\zedb_com_tests\\registryString";
constexpr size_t kBufferSize = 16;

void SetValue(HKEY key, const wchar_t* name, const std::wstring& text, DWORD type) {
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

TEST(RegistryString, OnlyNonEmptyTextsThatFitAreCopied) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring fits(kBufferSize - 1, L'v');
    SetValue(key, L"fits", fits, REG_SZ);
    SetValue(key, L"tooLong", fits + L'v', REG_SZ);
    SetValue(key, L"empty", L"", REG_SZ);
    SetValue(key, L"notText", L"abc", REG_BINARY);
    RegCloseKey(key);
    // The buffer is one marked character longer than the size passed, to show writes past it.
    const std::wstring untouched(kBufferSize + 1, L'#');
    const struct {
        const wchar_t* keyPath;
        const wchar_t* name;
        bool read;
        std::wstring buffer;
    } cases[] = {
        {kTestKey, L"fits", true, fits + L'\0' + L'#'},
        {kTestKey, L"tooLong", false, untouched},
        {kTestKey, L"empty", false, untouched},
        {kTestKey, L"notText", false, untouched},
        {kTestKey, L"missing", false, untouched},
        {L"Software\\zedb_com_tests\\missingKey", L"fits", false, untouched},
    };
    for (const auto& entry : cases) {
        std::wstring buffer = untouched;
        EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, entry.keyPath, entry.name, &buffer[0], kBufferSize),
                  entry.read)
            << testing::PrintToString(entry.name);
        EXPECT_EQ(buffer, entry.buffer) << testing::PrintToString(entry.name);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\zedb_com_tests");  // only when no other test left a key there
}

}  // namespace
