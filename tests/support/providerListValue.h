#pragma once
// Sets or removes one provider list in the registry for the scope's life, then restores what
// was there.

#include <windows.h>

#include <optional>
#include <string>

class ProviderListValue {
public:
    // No value removes it.
    ProviderListValue(HKEY root, const wchar_t* valueName, const std::optional<std::wstring>& value);
    ~ProviderListValue();
    ProviderListValue(const ProviderListValue&) = delete;
    ProviderListValue& operator=(const ProviderListValue&) = delete;

private:
    HKEY root_;
    std::wstring valueName_;
    std::optional<std::wstring> saved_;
};
