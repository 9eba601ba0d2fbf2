// Pattern lists as the provider lists use them: split at ";", matched in order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/patternList.h"
#include "reportedAssertions.h"

namespace {

std::vector<std::wstring> Texts(const std::vector<SWCharString>& list) {
    std::vector<std::wstring> texts;
    for (const SWCharString& item : list) texts.push_back(item.str());
    return texts;
}

bool MatchProviderList(const wchar_t* name, const std::vector<SWCharString>& list) {
    return MatchAnyListItem(name, list, false, L'?', L'*', L'\\');
}

TEST(PatternList, SplitAppendsEveryTokenInOrder) {
    struct SplitCase {
        const wchar_t* text;
        std::vector<std::wstring> items;
    };
    const SplitCase cases[] = {
        {L"EXOLEDB;MSDAIPP*", {L"first", L"EXOLEDB", L"MSDAIPP*"}},
        {L";;a;;b;", {L"first", L"a", L"b"}},
        {L"", {L"first"}},
        {L";;;", {L"first"}},
        {L" a ; b", {L"first", L" a ", L" b"}},
    };
    for (const SplitCase& entry : cases) {
        std::vector<SWCharString> list{L"first"};
        SplitToList(entry.text, L";", list);
        EXPECT_EQ(Texts(list), entry.items) << testing::PrintToString(std::wstring(entry.text));
    }
}

TEST(PatternList, AnyMatchingItemAccepts) {
    std::vector<SWCharString> list;
    SplitToList(L"EXOLEDB;MSDAIPP*;SQL?LEDB", L";", list);
    EXPECT_TRUE(MatchProviderList(L"exoledb", list));
    EXPECT_TRUE(MatchProviderList(L"MSDAIPP.DSO", list));
    EXPECT_TRUE(MatchProviderList(L"SQLOLEDB", list));
    EXPECT_FALSE(MatchProviderList(L"SQLOLEDB.1", list));
    EXPECT_FALSE(MatchProviderList(L"", list));
    EXPECT_FALSE(MatchProviderList(L"EXOLEDB", {}));
    EXPECT_FALSE(MatchAnyListItem(L"exoledb", list, true, L'?', L'*', L'\\'));
}

TEST(PatternList, EmptyItemIsReportedAndStillCompared) {
    ReportedAssertions assertions;
    const std::vector<SWCharString> list{L"A*", L"", L"B"};
    EXPECT_TRUE(MatchProviderList(L"", list));
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>{L"patternList|!listItem.isEmpty ()"});
    EXPECT_TRUE(MatchProviderList(L"b", list));
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>{L"patternList|!listItem.isEmpty ()"});
    // The search ends at the first match, before the empty item.
    EXPECT_TRUE(MatchProviderList(L"apple", list));
    EXPECT_TRUE(assertions.Take().empty());
}

}  // namespace
