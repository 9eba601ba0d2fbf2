// Provider lists from the registry, current user before local machine, and the rowset's cached
// answers that switch it to record mode.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ado/openrowseth.h"
#include "ado/providerLists.h"
#include "providerListValue.h"
#include "unit/reportedAssertions.h"

namespace {

using List = std::optional<std::wstring>;

struct ListCase {
    List currentUser;
    List localMachine;
    const wchar_t* providerName;
    bool listed;
};

const std::wstring kTooLong(512, L'*');

const ListCase kListCases[] = {
    {L"EXOLEDB;SQLOLEDB", {}, L"SQLOLEDB.1", true},
    {L"EXOLEDB; SQLOLEDB", {}, L"SQLOLEDB.1", false},  // the blank belongs to the item
    {L"EXOLEDB", {}, L"exoledb.datasource", true},
    {L"exo*", {}, L"exoledb.datasource", true},
    {L"EX?LEDB", {}, L"EXOLEDB", true},
    {L"EX?LEDB", {}, L"EXOOLEDB", false},
    {L"EXOLEDB\\*", {}, L"EXOLEDB", false},
    {L"EXOLEDB\\*", {}, L"EXOLEDB*.1", true},
    {L"SQLOLEDB.1", {}, L"SQLOLEDB.1", false},  // only the text before the first dot is the key
    {L"NOTHING", L"MSDAOSP", L"MSDAOSP", false},  // the current user's list hides the machine's
    {{}, L"MSDAOSP", L"MSDAOSP", true},
    {L"", L"MSDAOSP", L"MSDAOSP", true},  // an empty value counts as none
    {kTooLong, L"MSDAOSP", L"MSDAOSP", true},
    {kTooLong.substr(1), L"MSDAOSP", L"MSDAOSP", true},  // 511 characters fit
    {kTooLong.substr(1), {}, L"ANY", true},
    {L";;;", {}, L"X", false},
    {L"*", {}, L"", true},
    {{}, {}, L"", false},
    {{}, {}, L"EXOLEDB", false},  // the default lists are empty
};

TEST(ProviderLists, RegistryListsDecide) {
    for (const ListCase& row : kListCases) {
        const ProviderListValue user(HKEY_CURRENT_USER, kHierarchicalRecordProviders, row.currentUser);
        const ProviderListValue machine(HKEY_LOCAL_MACHINE, kHierarchicalRecordProviders, row.localMachine);
        EXPECT_EQ(IsProviderListed(row.providerName, kHierarchicalRecordProviders, kDefaultHierarchicalRecordProviders),
                  row.listed)
            << row.providerName << " with " << row.currentUser.value_or(L"(none)").substr(0, 20) << " / "
            << row.localMachine.value_or(L"(none)");
        // Each capability has a list of its own.
        EXPECT_FALSE(IsProviderListed(row.providerName, kCustomFieldsProviders, kDefaultCustomFieldsProviders));
    }
}

TEST(ProviderLists, RowsetAsksEachListOnceAndKeepsTheAnswer) {
    ReportedAssertions assertions;
    const std::vector<std::wstring> noProvider{L"adoCommon|FALSE"};
    DbOpenRowsetHandle listed;
    DbOpenRowsetHandle unlisted;
    {
        const ProviderListValue everything(HKEY_CURRENT_USER, kCustomFieldsProviders, L"*");
        const ProviderListValue nothing(HKEY_CURRENT_USER, kHierarchicalRecordProviders, {});
        EXPECT_TRUE(listed.SupportsCustomFields());
        EXPECT_EQ(assertions.Take(), noProvider) << "a rowset without a recordset has no provider";
        EXPECT_FALSE(unlisted.SupportsHierarchicalRecord());
        EXPECT_EQ(assertions.Take(), noProvider);
    }
    const ProviderListValue everything(HKEY_CURRENT_USER, kHierarchicalRecordProviders, L"*");
    EXPECT_TRUE(listed.SupportsCustomFields());
    EXPECT_FALSE(unlisted.SupportsHierarchicalRecord());
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>()) << "cached answers ask nothing";
    EXPECT_TRUE(listed.SupportsHierarchicalRecord());
    EXPECT_FALSE(unlisted.SupportsCustomFields());
}

}  // namespace
