// The driver's string table as the string look-ups read it.

#include <gtest/gtest.h>


#include "com/driverState.h"
#include "common/resourceStrings.h"
#include "common/resdllmgr.h"
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

}  // namespace
