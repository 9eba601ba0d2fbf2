// Registry texts read into a fixed buffer, on a test key of the real registry.

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "common/registryString.h"

namespace {

const wchar_t kTestRoot[] = L"Software\\zedb_com_tests";
const wchar_t kTestKey[] = L"Software\\zedb_com_tests\\registryString";
constexpr size_t kBufferSize = 16;

class RegistryStringTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        if (key_) RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kTestRoot);  // only when no other test left a key there
    }
    void SetText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
        ASSERT_EQ(RegSetValueExW(key_, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    // Reads into a buffer prefilled with a marker and gives what the buffer then holds.
    bool Read(const wchar_t* keyPath, const wchar_t* name, std::wstring& content) {
        wchar_t buffer[kBufferSize + 1];
        std::wmemset(buffer, L'#', kBufferSize);
        buffer[kBufferSize] = 0;
        const bool read = ReadRegistryString(HKEY_CURRENT_USER, keyPath, name, buffer, kBufferSize);
        EXPECT_EQ(buffer[kBufferSize], L'\0') << "written past the buffer";
        content.assign(buffer, kBufferSize);
        return read;
    }

    HKEY key_ = nullptr;
};

const std::wstring kUntouched(kBufferSize, L'#');

TEST_F(RegistryStringTest, ValueThatFitsWithItsTerminatorIsCopied) {
    const std::wstring fits(kBufferSize - 1, L'v');
    SetText(L"fits", fits);
    std::wstring content;
    EXPECT_TRUE(Read(kTestKey, L"fits", content));
    EXPECT_EQ(content, fits + L'\0');

    SetText(L"short", L"EXOLEDB");
    EXPECT_TRUE(Read(kTestKey, L"short", content));
    EXPECT_STREQ(content.c_str(), L"EXOLEDB");
    EXPECT_EQ(content.substr(8), kUntouched.substr(8));
}

TEST_F(RegistryStringTest, TooLongMissingOrEmptyValuesLeaveTheBufferAlone) {
    SetText(L"tooLong", std::wstring(kBufferSize, L'v'));
    SetText(L"empty", L"");
    SetText(L"notText", L"abc", REG_BINARY);
    struct MissCase {
        const wchar_t* keyPath;
        const wchar_t* name;
    };
    const MissCase cases[] = {
        {kTestKey, L"tooLong"},
        {kTestKey, L"empty"},
        {kTestKey, L"notText"},
        {kTestKey, L"missing"},
        {L"Software\\zedb_com_tests\\missingKey", L"fits"},
    };
    for (const MissCase& entry : cases) {
        std::wstring content;
        EXPECT_FALSE(Read(entry.keyPath, entry.name, content)) << testing::PrintToString(std::wstring(entry.name));
        EXPECT_EQ(content, kUntouched) << testing::PrintToString(std::wstring(entry.name));
    }
}

}  // namespace
