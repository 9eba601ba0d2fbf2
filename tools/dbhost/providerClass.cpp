#include "providerClass.h"

#include <objbase.h>

#include <optional>

namespace {

std::optional<std::wstring> ClassesValue(const std::wstring& key, const wchar_t* name = nullptr) {
    DWORD bytes = 0;
    // REG_EXPAND_SZ values come back expanded under this type too.
    const DWORD types = RRF_RT_REG_SZ;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, types, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, types, nullptr, value.data(), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

std::vector<std::wstring> SubkeyNames(const std::wstring& key) {
    std::vector<std::wstring> names;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return names;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = ARRAYSIZE(name);
        if (RegEnumKeyExW(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    RegCloseKey(opened);
    return names;
}

// A local server's command line may quote the program and add arguments after it.
std::wstring ProgramOf(const std::wstring& command) {
    if (!command.empty() && command[0] == L'"') return command.substr(1, command.find(L'"', 1) - 1);
    return command;
}

bool FileExists(const std::wstring& path) {
    wchar_t found[MAX_PATH];
    return SearchPathW(nullptr, path.c_str(), nullptr, MAX_PATH, found, nullptr) != 0;
}

// Below the current folder, the path that the user would type from there.
std::wstring RelativeToCurrentFolder(const std::wstring& path) {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring prefix(folder, length);
    if (prefix.empty() || prefix.back() != L'\\') prefix += L'\\';
    if (path.size() > prefix.size() && _wcsnicmp(path.c_str(), prefix.c_str(), prefix.size()) == 0)
        return path.substr(prefix.size());
    return path;
}

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, ARRAYSIZE(text));
    return text;
}

}  // namespace

ProviderClass FindProviderClass(const std::wstring& programId) {
    ProviderClass found;
    found.found = SUCCEEDED(CLSIDFromProgID(programId.c_str(), &found.clsid)) ||
                  SUCCEEDED(CLSIDFromString(programId.c_str(), &found.clsid));
    if (!found.found) return found;
    found.clsidText = GuidText(found.clsid);
    const std::wstring classKey = L"CLSID\\" + found.clsidText;
    const struct {
        const wchar_t* key;
        const char* kind;
    } servers[] = {{L"\\InprocServer32", "in-process"}, {L"\\LocalServer32", "local"}};
    for (const auto& server : servers) {
        const std::optional<std::wstring> command = ClassesValue(classKey + server.key);
        if (!command) continue;
        found.serverKind = server.kind;
        const std::wstring path = ProgramOf(*command);
        found.serverExists = FileExists(path);
        found.serverPath = RelativeToCurrentFolder(path);
        found.threadingModel = ClassesValue(classKey + server.key, L"ThreadingModel").value_or(L"");
        break;
    }
    found.typeLibrary = ClassesValue(classKey + L"\\TypeLib").value_or(L"");
    if (!found.typeLibrary.empty()) found.typeLibraryVersions = SubkeyNames(L"TypeLib\\" + found.typeLibrary);
    return found;
}
