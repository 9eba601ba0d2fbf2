// The driver's logon vocabulary: the property sets it writes, read back as the engine and the
// logon would read them.

#include <gtest/gtest.h>

#include "com/comLogonProp.h"
#include "common/dbvalue.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"
#include "support/driverInUse.h"

namespace {

const wchar_t* TextOf(const DbValue* value) {
    return value && value->kind == discreteValueKind ? static_cast<const wchar_t*>(value->data) : nullptr;
}

// The dialog's Program ID field is checked through the exports; the short set is that field alone.
TEST(LogonProperties, TheShortSetHoldsOnlyTheProgramId) {
    DriverInUse driver;
    for (const wchar_t* programId : {L"Sales.Provider", L""}) {
        DbPropertyCollection logon;
        ASSERT_EQ(BuildLogonProperties(logon, L"en-US", programId, false), 0);
        ASSERT_EQ(logon.count, 1u);
        const DbProperty& field = *logon.items[0];
        EXPECT_STREQ(field.name, L"Program ID");
        EXPECT_STREQ(field.displayName, L"Program ID");
        EXPECT_EQ(field.valueType, static_cast<uint32_t>(stringValue));
        EXPECT_STREQ(TextOf(field.value), *programId ? programId : nullptr);
        EXPECT_EQ(field.children, nullptr);
    }
}

// This executable carries a German text for the Program ID label only.
TEST(LogonProperties, OnlyTheLabelFollowsTheLanguage) {
    DriverInUse driver;
    DbPropertyCollection dialog;
    ASSERT_EQ(BuildLogonProperties(dialog, L"de-DE", L"", true), 0);
    ASSERT_EQ(dialog.count, 2u);
    EXPECT_STREQ(TextOf(dialog.items[0]->value), L"COM Connectivity");
    const DbProperty* programId = FindProperty(&dialog, L"Program ID", false, nullptr);
    ASSERT_NE(programId, nullptr);
    EXPECT_STREQ(programId->name, L"Program ID");
    EXPECT_STREQ(programId->displayName, L"Programm-ID");
}

TEST(LogonProperties, EachSetYieldsTheProgramItWasBuiltWith) {
    DriverInUse driver;
    for (bool fullDialog : {false, true}) {
        DbPropertyCollection logon;
        BuildLogonProperties(logon, L"de-DE", L"Sales.Provider", fullDialog);
        SWCharString programId = L"stale";
        EXPECT_EQ(ExtractProgramId(logon, programId), 0);
        EXPECT_STREQ(programId.c_str(), L"Sales.Provider") << "full dialog " << fullDialog;
    }
    // Without a match the Program ID keeps its content.
    DbPropertyCollection other;
    AddNewProperty(other, L"Server", nullptr, nullptr, stringValue, 0, nullptr);
    SWCharString programId = L"earlier";
    ExtractProgramId(other, programId);
    EXPECT_STREQ(programId.c_str(), L"earlier");
}

}  // namespace
