// The Program ID property is found by its English name whatever language labels it.

#include <gtest/gtest.h>

#include "com/comLogonProp.h"
#include "common/propcoll.h"
#include "support/driverInUse.h"

namespace {

TEST(LogonLanguage, OnlyTheDisplayNameFollowsTheLanguage) {
    DriverInUse driver;
    DbPropertyCollection logon;
    BuildLogonProperties(logon, L"de-DE", L"Sales.Provider", false);
    ASSERT_EQ(logon.count, 1u);
    EXPECT_STREQ(logon.items[0]->name, L"Program ID");
    EXPECT_STREQ(logon.items[0]->displayName, L"Programm-ID");

    SWCharString programId = L"kept";
    ExtractProgramId(logon, programId);
    EXPECT_STREQ(programId.c_str(), L"Sales.Provider");
    DbPropertyCollection unrelated;
    ExtractProgramId(unrelated, programId);
    EXPECT_STREQ(programId.c_str(), L"Sales.Provider");
}

}  // namespace
