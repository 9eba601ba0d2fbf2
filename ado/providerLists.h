#pragma once
// Which OLE DB providers a rowset reads through ADODB.Record objects: lists of provider-name
// patterns, from the registry or else from the driver's string table.

#include <windows.h>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"
#include "platform/SWCharString.h"

constexpr wchar_t kCustomFieldsProviders[] = L"OLEDBDriversSupportingCustomFields";
constexpr wchar_t kHierarchicalRecordProviders[] = L"OLEDBDriversSupportingHierarchicalRecord";
constexpr UINT kDefaultCustomFieldsProviders = 58;
constexpr UINT kDefaultHierarchicalRecordProviders = 59;

// Under HKEY_CURRENT_USER, then HKEY_LOCAL_MACHINE.
constexpr wchar_t kProviderListsKey[] = L"Software\\Norvane Varnholt\\Suite QZ 4.0\\Tessel Reports\\Database";

// The provider named by the recordset's connection string or connection object; empty (after
// an assertion report) when there is none. Takes over the reference it is given.
SWCharString GetProviderName(ComPtr<_Recordset> recordset);

// True when the provider's key (its name before the first ".", upper-cased) matches an item of
// the list in valueName, or of the default list defaultListId when the registry holds none.
bool IsProviderListed(const SWCharString& providerName, const wchar_t* valueName, UINT defaultListId);
