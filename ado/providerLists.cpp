#include "ado/providerLists.h"

#include <optional>
#include <vector>

#include "common/bstr.h"
#include "common/patternList.h"
#include "common/registryString.h"
#include "common/resourceStrings.h"
#include "common/variant.h"
#include "platform/dbAssert.h"
#include "platform/stringConversion.h"
#include "src/connectstring.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "adoCommon"

namespace {

// A list value counts only when it fits this buffer with its terminator.
constexpr size_t kListBufferSize = 512;

SWCharString UpperCase(SWCharString text) {
    std::wstring upper(text.c_str(), text.length());
    MakeUpperCase(upper.data(), upper.size());
    return SWCharString(std::move(upper));
}

// Each reader gives no name when its source names no provider.
std::optional<SWCharString> ProviderFromConnectionString(const wchar_t* connectionString) {
    std::vector<SWCharString> tokens;
    std::vector<SWCharString> values;
    SplitConnectionString(connectionString, tokens, values);
    DB_ASSERT_TEXT(tokens.size() == values.size(), "tokens.size () == values.size ()");
    for (size_t i = 0; i < tokens.size() && i < values.size(); ++i)
        if (tokens[i].compareNoCase(L"Provider") == 0) return values[i];
    return std::nullopt;
}

std::optional<SWCharString> ProviderFromConnection(IUnknown* connectionObject) {
    ComPtr<_Connection> connection;
    if (FAILED(ComPtr<IUnknown>(connectionObject).As(connection))) return std::nullopt;
    Bstr provider;
    CheckCom(connection->get_Provider(provider.ReleaseAndGetAddressOf()), connection);
    return SWCharString(provider.Text());
}

std::optional<SWCharString> ReadProviderName(const ComPtr<_Recordset>& recordset) {
    Variant connection;
    CheckCom(recordset->get_ActiveConnection(connection.ReleaseAndGetAddressOf()), recordset);
    const VARIANT& value = *connection.Get();
    if (value.vt == VT_BSTR && SysStringLen(value.bstrVal) > 0) return ProviderFromConnectionString(value.bstrVal);
    if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal)
        return ProviderFromConnection(value.punkVal);
    return std::nullopt;
}

bool KeyIsListed(const SWCharString& key, const SWCharString& list) {
    std::vector<SWCharString> items;
    SplitToList(list, L";", items);
    return MatchAnyListItem(key, items, false, L'?', L'*', L'\\');
}

}  // namespace

SWCharString GetProviderName(ComPtr<_Recordset> recordset) {
    std::optional<SWCharString> name;
    if (recordset) {
        try {
            name = ReadProviderName(recordset);
        } catch (const ComError&) {
            name.reset();
        }
    }
    DB_ASSERT_TEXT(name.has_value(), "FALSE");
    return name.value_or(SWCharString());
}

bool IsProviderListed(const SWCharString& providerName, const wchar_t* valueName, UINT defaultListId) {
    const ptrdiff_t dot = providerName.findFirst(L'.');
    const SWCharString key = UpperCase(dot < 0 ? providerName : providerName.left(static_cast<size_t>(dot)));

    wchar_t list[kListBufferSize];
    if (ReadRegistryString(HKEY_CURRENT_USER, kProviderListsKey, valueName, list, kListBufferSize) ||
        ReadRegistryString(HKEY_LOCAL_MACHINE, kProviderListsKey, valueName, list, kListBufferSize))
        return KeyIsListed(key, UpperCase(list));
    if (key.isEmpty()) return false;
    return KeyIsListed(key, LoadResourceString(defaultListId, SWCharString()));
}
