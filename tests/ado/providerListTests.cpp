// Provider lists from the registry, current user before local machine, and the provider name
// that a rowset looks up in them, from its connection string or its connection object.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ado/providerLists.h"
#include "support/registryValue.h"
#include "support/driverInUse.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"
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
    // Too long for the buffer with its terminator: not read cut short, but not at all.
    {L"NOTHING;" + std::wstring(504, L'X'), L"MSDAOSP", L"MSDAOSP", true},
    {kTooLong.substr(1), L"MSDAOSP", L"MSDAOSP", true},  // 511 characters fit
    {kTooLong.substr(1), {}, L"ANY", true},
    {L";;;", {}, L"X", false},
    {L"*", {}, L"", true},
    {{}, {}, L"", false},
    {{}, {}, L"EXOLEDB", false},  // the default lists are empty
};

TEST(ProviderLists, RegistryListsDecide) {
    const DriverInUse driver;  // for the default lists of the string table
    for (const ListCase& row : kListCases) {
        const ProviderListValue user(HKEY_CURRENT_USER, kHierarchicalRecordProviders, row.currentUser);
        const ProviderListValue machine(HKEY_LOCAL_MACHINE, kHierarchicalRecordProviders, row.localMachine);
        ProviderLists lists;
        EXPECT_EQ(lists.IsListed(row.providerName, ProviderList::hierarchicalRecord), row.listed)
            << row.providerName << " with " << row.currentUser.value_or(L"(none)").substr(0, 20) << " / "
            << row.localMachine.value_or(L"(none)");
        // Each capability has a list of its own.
        EXPECT_FALSE(lists.IsListed(row.providerName, ProviderList::customFields));
    }
}

struct ProviderNameCase {
    const wchar_t* connectionString;  // null: the connection object or an empty connection
    const wchar_t* connectionProvider;  // null: no connection object
    const char* failing;  // the call that fails, if any
    const wchar_t* providerName;  // null: none, reported as an assertion
};

const ProviderNameCase kProviderNameCases[] = {
    {L"Provider=MSDAOSP;Data Source=x", nullptr, nullptr, L"MSDAOSP"},
    {L"Data Source=x;provider=SQLOLEDB.1", nullptr, nullptr, L"SQLOLEDB.1"},
    {L"Data Source=x", nullptr, nullptr, nullptr},
    {L"", nullptr, nullptr, nullptr},
    {L"Provider=", nullptr, nullptr, L""},
    {nullptr, L"EXOLEDB.DataSource", nullptr, L"EXOLEDB.DataSource"},
    {nullptr, nullptr, nullptr, nullptr},
    {L"Provider=MSDAOSP", nullptr, "_Recordset::get_ActiveConnection", nullptr},
    {nullptr, L"EXOLEDB.DataSource", "_Connection::get_Provider", nullptr},
    {nullptr, L"EXOLEDB.DataSource", "IUnknown::QueryInterface", nullptr},
};

TEST(ProviderLists, ProviderNameFromConnectionStringOrObject) {
    ReportedAssertions assertions;
    for (const ProviderNameCase& row : kProviderNameCases) {
        SCOPED_TRACE(testing::Message() << (row.connectionString ? row.connectionString : L"(object)"));
        FakeConnection connection(row.connectionProvider ? row.connectionProvider : L"");
        ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}}, {}));
        const std::string failing = row.failing ? row.failing : "";
        // An object that is no connection: the recordset double itself.
        recordset.SetActiveConnection(row.connectionString             ? Text(row.connectionString)
                                      : failing == "IUnknown::QueryInterface" ? Object(recordset)
                                      : row.connectionProvider          ? connection.AsActiveConnection()
                                                                        : Variant());
        if (failing == "_Recordset::get_ActiveConnection") recordset.Script().Fail(failing, E_FAIL);
        if (failing == "_Connection::get_Provider") connection.FailProvider(E_FAIL);
        const ULONG references = recordset.References();
        EXPECT_EQ(GetProviderName(ComPtr<_Recordset>(recordset)), SWCharString(row.providerName));
        EXPECT_EQ(assertions.Take(), std::vector<std::wstring>(row.providerName ? 0 : 1, L"adoCommon|FALSE"));
        EXPECT_EQ(recordset.References(), references);
        recordset.SetActiveConnection(Variant());
        EXPECT_EQ(connection.References(), 1u);
    }
    EXPECT_EQ(GetProviderName(nullptr), SWCharString());
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>{L"adoCommon|FALSE"});
}

}  // namespace
