// What the driver module shows the engine and the system: exactly its 26 functions by name, and
// imports of Windows system DLLs only, so that it needs no runtime beside it.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>


namespace {

const std::set<std::string> kExports = {
    "DbBindToField",      "DbCloseRowset",          "DbExecuteQuery",          "DbFetchDatabaseType",
    "DbFetchLogonUIInfo", "DbFetchServerName",      "DbFetchTableFields",      "DbFetchTableInfo",
    "DbFetchTableList",   "DbFetchTableParameters", "DbFreeErrorInfo",         "DbFreeFieldBinding",
    "DbFreeFieldList",    "DbFreeLogonInfo",        "DbFreeParametersList",    "DbFreeString",
    "DbFreeTableInfo",    "DbFreeTableList",        "DbGetInfo",               "DbInitialize",
    "DbLogoffServer",     "DbLogonServer",          "DbMatchLogonInfo",        "DbReadRecord",
    "DbReadVariantColumnValue", "DbTerminate"};

const std::set<std::string> kSystemDlls = {"advapi32.dll", "kernel32.dll", "msvcrt.dll",
                                           "ole32.dll",    "oleaut32.dll", "user32.dll"};

template <class T>
const T* At(HMODULE module, DWORD offset) {
    return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(module) + offset);
}

const IMAGE_DATA_DIRECTORY& Directory(HMODULE module, int entry) {
    const auto* dos = At<IMAGE_DOS_HEADER>(module, 0);
    return At<IMAGE_NT_HEADERS64>(module, dos->e_lfanew)->OptionalHeader.DataDirectory[entry];
}

TEST(ExportSurface, ExactlyTheDriversFunctionsAndOnlySystemImports) {
    HMODULE module = LoadLibraryExW(L"zedb_com.dll", nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr);
    const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(module, Directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT).VirtualAddress);
    const auto* names = At<DWORD>(module, exports->AddressOfNames);
    std::set<std::string> exported;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) exported.insert(At<char>(module, names[i]));
    EXPECT_EQ(exported, kExports);
    EXPECT_EQ(exports->NumberOfFunctions, kExports.size()) << "no export by ordinal only";

    std::set<std::string> imported;
    for (const auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(module, Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress);
         entry->Name != 0; ++entry) {
        std::string name = At<char>(module, entry->Name);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        imported.insert(name);
    }
    for (const std::string& name : imported) EXPECT_EQ(kSystemDlls.count(name), 1u) << name;
    FreeLibrary(module);
}

}  // namespace
