// Wildcard matching and the pattern lists built on it: the documented cases, agreement with a
// plain recursive matcher on many random patterns, and patterns with many multiple wildcards.

#include <gtest/gtest.h>

#include <cwctype>
#include <random>
#include <string>
#include <vector>

#include "common/patternList.h"
#include "common/wildcardMatch.h"
#include "reportedAssertions.h"

namespace {

struct MatchOptions {
    bool caseSensitive;
    wchar_t single;
    wchar_t multiple;
    wchar_t escape;
};

bool Match(const wchar_t* text, const wchar_t* pattern, const MatchOptions& o = {false, L'?', L'*', L'\\'}) {
    return WildcardMatch(text, pattern, o.caseSensitive, o.single, o.multiple, o.escape);
}

// The matching rules stated recursively, without regard to speed: escape before multiple
// wildcard before single wildcard.
bool ReferenceMatch(const wchar_t* text, const wchar_t* pattern, const MatchOptions& o) {
    const auto same = [&](wchar_t p, wchar_t t) {
        return o.caseSensitive ? p == t : std::towupper(p) == std::towupper(t);
    };
    if (*pattern == o.escape) {
        if (pattern[1] == 0) return *text == 0;
        return *text != 0 && same(pattern[1], *text) && ReferenceMatch(text + 1, pattern + 2, o);
    }
    if (*pattern == 0) return *text == 0;
    if (*pattern == o.multiple)
        return ReferenceMatch(text, pattern + 1, o) || (*text != 0 && ReferenceMatch(text + 1, pattern, o));
    return *text != 0 && (*pattern == o.single || same(*pattern, *text)) && ReferenceMatch(text + 1, pattern + 1, o);
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

TEST(WildcardMatch, AgreesWithTheRecursiveRulesOnRandomPatterns) {
    const std::wstring alphabet = L"aAbB?*\\";
    // Clashing roles check the order in which a pattern character's role is decided.
    const MatchOptions roles[] = {
        {false, L'?', L'*', L'\\'}, {false, L'*', L'?', L'\\'}, {false, L'?', L'*', L'*'},
        {false, L'a', L'*', L'\\'}, {false, L'?', L'?', L'\\'}, {false, L'?', L'b', L'B'},
    };
    std::minstd_rand numbers(0x2545F491u);  // a fixed sequence, so that a failure reproduces
    const auto randomText = [&](size_t maxLength) {
        std::wstring text(numbers() % (maxLength + 1), L' ');
        for (wchar_t& ch : text) ch = alphabet[numbers() % alphabet.size()];
        return text;
    };
    int mismatches = 0;
    for (MatchOptions options : roles) {
        for (bool caseSensitive : {false, true}) {
            options.caseSensitive = caseSensitive;
            for (int i = 0; i < 4000 && mismatches < 10; ++i) {
                const std::wstring text = randomText(7), pattern = randomText(8);
                const bool expected = ReferenceMatch(text.c_str(), pattern.c_str(), options);
                if (Match(text.c_str(), pattern.c_str(), options) == expected) continue;
                ++mismatches;
                const std::wstring roleText{options.single, options.multiple, options.escape};
                ADD_FAILURE() << testing::PrintToString(text) << " against " << testing::PrintToString(pattern)
                              << ", single/multiple/escape " << testing::PrintToString(roleText) << ", case-sensitive "
                              << caseSensitive << ": expected " << expected;
            }
        }
    }
}

}  // namespace
