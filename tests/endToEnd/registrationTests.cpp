#include <gtest/gtest.h>

#include "sampleRegistration.h"

// Takes the registration away and restores it, so that the other tests may run before or after.
TEST(SampleRegistration, UnregisteringLeavesNoTraceAndRegisteringAgainServes) {
    const std::vector<std::wstring> before = SampleKeysBeforeRegistration();
    ASSERT_EQ(before.size(), 5u);
    for (size_t key = 0; key < 4; ++key) EXPECT_EQ(before[key], L"<absent>") << key;

    const std::vector<std::wstring> registered = SnapshotSampleKeys();
    for (size_t key = 0; key < 4; ++key) EXPECT_NE(registered[key], L"<absent>") << key;
    EXPECT_EQ(registered[4], before[4]) << "ADO's own interface key";

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
