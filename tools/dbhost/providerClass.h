#pragma once
// How a provider's class is registered, read from HKEY_CLASSES_ROOT as COM reads it: the class
// that the Program ID names, the server that COM starts for it, its threading model and its type
// library.

#include <windows.h>

#include <string>
#include <vector>

struct ProviderClass {
    bool found = false;  // the Program ID, or the {CLSID} given, names a class
    CLSID clsid{};
    std::wstring clsidText;
    std::string serverKind;  // "in-process" or "local"; empty when no server is registered
    std::wstring serverPath;  // relative to the current folder when it lies below it
    bool serverExists = false;
    std::wstring threadingModel;
    std::wstring typeLibrary;  // the TypeLib id; empty when the class names none
    std::vector<std::wstring> typeLibraryVersions;  // as registered under HKCR\TypeLib
};

// The Program ID is resolved as the driver resolves it: as a ProgID, else as a {CLSID}.
ProviderClass FindProviderClass(const std::wstring& programId);
