#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "registrySnapshot.h"
#include "sampleRegistration.h"

// Takes the registration away and restores it, so that the other tests may run before or after.
TEST(SampleRegistration, UnregisteringLeavesNoTraceAndRegisteringAgainServes) {
    const std::vector<std::wstring> before = SampleKeysBeforeRegistration();
    ASSERT_EQ(before.size(), 7u);
    const size_t ado = before.size() - 1;
    for (size_t key = 0; key < ado; ++key) EXPECT_EQ(before[key], L"<absent>") << key;

    const std::vector<std::wstring> registered = SnapshotSampleKeys();
    for (size_t key = 0; key < ado; ++key) EXPECT_NE(registered[key], L"<absent>") << key;
    EXPECT_EQ(registered[ado], before[ado]) << "ADO's own interface key";

    const ProcessRun removal = Regsvr32(true);
    EXPECT_EQ(removal.exitCode, 0u);
    EXPECT_EQ(SnapshotSampleKeys(), before);

    const ProcessRun orphaned = RunConsole(L"tables");
    EXPECT_EQ(orphaned.exitCode, 1u);
    EXPECT_EQ(orphaned.out, "");
    EXPECT_EQ(orphaned.err, "dbhost: DbLogonServer failed with result 12 (an argument is missing or names nothing "
                            "known, such as an unregistered Program ID)\n");

    ASSERT_EQ(Regsvr32(false).exitCode, 0u);
    EXPECT_EQ(SnapshotSampleKeys(), registered);
    EXPECT_EQ(RunConsole(L"tables").exitCode, 0u);
}

// Where ADO has a record class of its own (Windows), the sample neither replaces nor removes it.
TEST(SampleRegistration, AnAdoRecordClassAlreadyThereStays) {
    struct AdoRecordClass {
        AdoRecordClass() {
            const wchar_t adoRecord[] = L"{00000560-0000-0010-8000-00AA006D2EA4}";
            RegSetKeyValueW(HKEY_CLASSES_ROOT, L"ADODB.Record\\CLSID", nullptr, REG_SZ, adoRecord, sizeof(adoRecord));
        }
        ~AdoRecordClass() { RegDeleteTreeW(HKEY_CLASSES_ROOT, L"ADODB.Record"); }
    };
    ASSERT_EQ(Regsvr32(true).exitCode, 0u);
    {
        const AdoRecordClass ado;
        const std::wstring before = RegistrySnapshot(L"ADODB.Record");
        EXPECT_EQ(Regsvr32(false).exitCode, 0u);
        EXPECT_EQ(RegistrySnapshot(L"ADODB.Record"), before);
        EXPECT_EQ(Regsvr32(true).exitCode, 0u);
        EXPECT_EQ(RegistrySnapshot(L"ADODB.Record"), before);
    }
    ASSERT_EQ(Regsvr32(false).exitCode, 0u);
    EXPECT_NE(RegistrySnapshot(L"ADODB.Record"), L"<absent>");
}
