// The driver's string table as the string look-ups read it.

#include <gtest/gtest.h>

#include <new>

#include "com/driverState.h"
#include "common/resourceStrings.h"
#include "common/resdllmgr.h"
#include "testHeap.h"
#include "support/driverInUse.h"

namespace {

struct StringCase {
    UINT id;
    const wchar_t* text;
};

const StringCase kEnglishTable[] = {
    {1, L"COM Connectivity"},
    {2, L"Program ID"},
    {3, L"Please enter a Program ID"},
    {4, L"Connection"},
    {5, L"Please enter connection information..."},
    {6, L"The parameter type can't be identified.\n Please use basic data types."},
    {7, L"Failed to execute the COM interface to obtain the Recordset."},
    {8, L"Failed to create an instance of the COM object."},
    {9, L"EXOLEDB"},
    {10, L"EXOLEDB"},
    {72, L"ADO Error Code"},
    {73, L"Source"},
    {74, L"Description"},
    {75, L"SQL State"},
    {76, L"Native Error"},
};

TEST(ResourceStrings, EnglishByDefaultOtherLanguagesFallBackAndUnknownIdentifiersAreEmpty) {
    ASSERT_EQ(DriverUserCount(), 0);
    EXPECT_TRUE(LoadResourceString(1, L"").isEmpty()) << "no text before the first user";
    {
        DriverInUse driver;
        for (const StringCase& entry : kEnglishTable)
            for (const wchar_t* language : {L"en-US", L"", L"en-GB", L"xx-unknown"})
                EXPECT_STREQ(LoadResourceString(entry.id, language).c_str(), entry.text) << "id " << entry.id;
        EXPECT_STREQ(LoadResourceString(2, L"de-DE").c_str(), L"Programm-ID");
        EXPECT_STREQ(LoadResourceString(1, L"de-DE").c_str(), L"COM Connectivity");
        for (UINT id : {0u, 14u, 40u, 58u, 59u, 71u, 77u, 4000u, 70000u})
            for (const wchar_t* language : {L"", L"en-US", L"de-DE"})
                EXPECT_TRUE(LoadResourceString(id, language).isEmpty()) << "id " << id;
    }
    EXPECT_TRUE(LoadResourceString(1, L"").isEmpty()) << "no text after the last user";
}

// Memory running out at any allocation of a start leaves the driver as it was: not counted, no
// strings installed, the language unchanged and its lock free, and the next start complete.
TEST(DriverStart, RunningOutOfMemoryAtAnyStepLeavesTheDriverAsItWas) {
    // Long enough that its copy needs the heap.
    const wchar_t kLanguage[] = L"en-US-x-a-language-name-longer-than-any-short-string";
    for (bool secondUser : {false, true}) {
        SCOPED_TRACE(secondUser ? "second user" : "first user");
        if (secondUser) InitializeDriver(L"de-DE");
        const int32_t users = DriverUserCount();
        const SWCharString language = DriverLanguage();
        int failedSteps = 0;
        for (int step = 0;; ++step) {
            FailAllocationAfter(step);
            bool threw = false;
            try {
                InitializeDriver(kLanguage);
            } catch (const std::bad_alloc&) {
                threw = true;
            }
            const bool failed = DisarmAllocationFailure();
            EXPECT_EQ(threw, failed) << "step " << step;
            if (!threw) break;
            ++failedSteps;
            EXPECT_EQ(DriverUserCount(), users) << "step " << step;
            EXPECT_EQ(CurrentResDllManager() != nullptr, secondUser) << "step " << step;
            EXPECT_STREQ(DriverLanguage().c_str(), language.c_str()) << "step " << step;
        }
        EXPECT_GE(failedSteps, secondUser ? 1 : 3);
        EXPECT_EQ(DriverUserCount(), users + 1);
        EXPECT_STREQ(DriverLanguage().c_str(), kLanguage);
        EXPECT_STREQ(LoadResourceString(1, L"").c_str(), L"COM Connectivity");
        TerminateDriver();
        if (secondUser) TerminateDriver();
        EXPECT_EQ(DriverUserCount(), 0);
    }
}

}  // namespace
