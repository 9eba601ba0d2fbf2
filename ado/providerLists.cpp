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

// A failed call names no provider: it is passed over, its error object dropped. Recordsets
// without a connection are common (Wine's have none), and a raised error would cost each query
// more than the rest of its set-up.
bool Answered(HRESULT result) {
    if (SUCCEEDED(result)) return true;
    DiscardThreadErrorInfo();
    return false;
}

std::optional<SWCharString> ProviderFromConnection(IUnknown* connectionObject) {
    ComPtr<_Connection> connection;
    if (FAILED(ComPtr<IUnknown>(connectionObject).As(connection))) return std::nullopt;
    Bstr provider;
    if (!Answered(connection->get_Provider(provider.ReleaseAndGetAddressOf()))) return std::nullopt;
    return SWCharString(provider.Text());
}

std::optional<SWCharString> ReadProviderName(const ComPtr<_Recordset>& recordset) {
    Variant connection;
    if (!Answered(recordset->get_ActiveConnection(connection.ReleaseAndGetAddressOf()))) return std::nullopt;
    const VARIANT& value = *connection.Get();
    if (value.vt == VT_BSTR && SysStringLen(value.bstrVal) > 0) return ProviderFromConnectionString(value.bstrVal);
    if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal)
        return ProviderFromConnection(value.punkVal);
    return std::nullopt;
}

struct ListNames {
    const wchar_t* valueName;
    UINT defaultListId;
};

const ListNames kListNames[] = {{kCustomFieldsProviders, kDefaultCustomFieldsProviders},
                                {kHierarchicalRecordProviders, kDefaultHierarchicalRecordProviders}};

}  // namespace

SWCharString GetProviderName(ComPtr<_Recordset> recordset) {
    std::optional<SWCharString> name;
    if (recordset) name = ReadProviderName(recordset);
    DB_ASSERT_TEXT(name.has_value(), "FALSE");
    return name.value_or(SWCharString());
}

const ProviderLists::Patterns& ProviderLists::Read(ProviderList list) {
    Patterns& patterns = lists_[static_cast<int>(list)];
    if (patterns.read) return patterns;
    const ListNames& names = kListNames[static_cast<int>(list)];
    wchar_t text[kListBufferSize];
    patterns.fromRegistry =
        ReadRegistryString(HKEY_CURRENT_USER, kProviderListsKey, names.valueName, text, kListBufferSize) ||
        ReadRegistryString(HKEY_LOCAL_MACHINE, kProviderListsKey, names.valueName, text, kListBufferSize);
    // The registry's items are compared upper-cased, the string table's as they stand.
    SplitToList(patterns.fromRegistry ? UpperCase(text) : LoadResourceString(names.defaultListId, SWCharString()),
                L";", patterns.items);
    patterns.read = true;
    return patterns;
}

bool ProviderLists::IsListed(const SWCharString& providerName, ProviderList list) {
    const ptrdiff_t dot = providerName.findFirst(L'.');
    const SWCharString key = UpperCase(dot < 0 ? providerName : providerName.left(static_cast<size_t>(dot)));
    const Patterns& patterns = Read(list);
    if (!patterns.fromRegistry && key.isEmpty()) return false;
    return MatchAnyListItem(key, patterns.items, false, L'?', L'*', L'\\');
}
