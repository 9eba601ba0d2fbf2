#pragma once
// Which OLE DB providers a rowset reads through ADODB.Record objects: lists of provider-name
// patterns, from the registry or else from the driver's string table.

#include <windows.h>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"
#include "platform/SWCharString.h"

#include <vector>

constexpr wchar_t kCustomFieldsProviders[] = L"OLEDBDriversSupportingCustomFields";
constexpr wchar_t kHierarchicalRecordProviders[] = L"OLEDBDriversSupportingHierarchicalRecord";
constexpr UINT kDefaultCustomFieldsProviders = 58;
constexpr UINT kDefaultHierarchicalRecordProviders = 59;

// Under HKEY_CURRENT_USER, then HKEY_LOCAL_MACHINE.
constexpr wchar_t kProviderListsKey[] = L"Software\\Norvane Varnholt\\Suite QZ 4.0\\Tessel Reports\\Database";

// The provider named by the recordset's connection string or connection object; empty (after
// an assertion report) when there is none. Takes over the reference it is given.
SWCharString GetProviderName(ComPtr<_Recordset> recordset);

enum class ProviderList { customFields, hierarchicalRecord };

// Both lists, each read the first time it is asked and kept from then on: a server handle keeps
// one for its rowsets, so that a change to the registry takes effect at the next logon.
class ProviderLists {
public:
    // True when the provider's key (its name before the first ".", upper-cased) matches an item
    // of the list in the registry, or of the driver's default list when the registry holds none.
    bool IsListed(const SWCharString& providerName, ProviderList list);

private:
    struct Patterns {
        bool read = false;
        bool fromRegistry = false;
        std::vector<SWCharString> items;
    };
    const Patterns& Read(ProviderList list);

    Patterns lists_[2];
};
