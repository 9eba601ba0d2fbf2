// Wildcard matching as the provider lists use it: the documented cases.

#include <gtest/gtest.h>

#include "common/wildcardMatch.h"

namespace {

bool Match(const wchar_t* text, const wchar_t* pattern) {
    return WildcardMatch(text, pattern, false, L'?', L'*', L'\\');
}

TEST(WildcardMatch, ProviderListCases) {
    const struct {
        const wchar_t* text;
        const wchar_t* pattern;
        bool matches;
    } cases[] = {
        {L"EXOLEDB", L"EXOLEDB", true}, {L"exoledb.1", L"EXOLEDB*", true}, {L"EXOLEDB", L"EXO?EDB", true},
        {L"EXO", L"EXO?", false},       {L"a*", L"a\\*", true},            {L"ab", L"a\\*", false},
        {L"a", L"a\\*", false},         {L"abc", L"abc\\", true},          {L"abcd", L"abc\\", false},
        {L"", L"*", true},              {L"anything at all", L"*", true},  {nullptr, L"*", true},
        {nullptr, nullptr, true},       {L"a", nullptr, false},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(Match(entry.text, entry.pattern), entry.matches)
            << testing::PrintToString(entry.text) << " against " << testing::PrintToString(entry.pattern);
}

}  // namespace
