#pragma once
// Sets or removes one registry value for the scope's life, then restores what was there: the
// driver's provider lists and the logging library's directory.

#include <windows.h>

#include <optional>
#include <string>

#include "ado/providerLists.h"

class RegistryValue {
public:
    // No value removes it.
    RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name, const std::optional<std::wstring>& value);
    ~RegistryValue();
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

private:
    HKEY root_;
    std::wstring key_, name_;
    std::optional<std::wstring> saved_;
};

class ProviderListValue : public RegistryValue {
public:
    ProviderListValue(HKEY root, const wchar_t* list, const std::optional<std::wstring>& value)
        : RegistryValue(root, kProviderListsKey, list, value) {}
};

// The directory of the logging library, as its installation registers it.
class LoggerRegistryValue : public RegistryValue {
public:
    explicit LoggerRegistryValue(const std::optional<std::wstring>& directory = std::nullopt)
        : RegistryValue(HKEY_LOCAL_MACHINE, L"Software\\Norvane Varnholt\\Suite QZ 4.0\\Tessel Reports\\",
                        L"CommonFiles", directory) {}
};
