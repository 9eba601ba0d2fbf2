// Wildcard matching: the documented cases, agreement with a plain recursive matcher on many
// random patterns, and patterns with many multiple wildcards.

#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <string>

#include "common/wildcardMatch.h"

namespace {

struct MatchOptions {
    bool caseSensitive;
    wchar_t single;
    wchar_t multiple;
    wchar_t escape;
};

const MatchOptions kProviderListOptions{false, L'?', L'*', L'\\'};

bool Match(const std::wstring& text, const std::wstring& pattern, const MatchOptions& options) {
    return WildcardMatch(text.c_str(), pattern.c_str(), options.caseSensitive, options.single, options.multiple,
                         options.escape);
}

// The matching rules as stated, one by one, without regard to speed.
bool ReferenceMatch(const wchar_t* text, const wchar_t* pattern, const MatchOptions& options) {
    if (*pattern == 0) return *text == 0;
    bool escaped = false;
    for (;;) {
        if (!escaped && *pattern == options.escape) {
            escaped = true;
            ++pattern;
            if (*pattern == 0) return *text == 0;
            continue;
        }
        if (!escaped && *pattern == options.multiple) {
            if (pattern[1] == 0) return true;
            for (const wchar_t* rest = text;; ++rest) {
                if (ReferenceMatch(rest, pattern + 1, options)) return true;
                if (*rest == 0) return false;
            }
        }
        if (*text == 0) return false;
        const bool accepted = (!escaped && *pattern == options.single) ||
                              (options.caseSensitive ? *pattern == *text
                                                     : std::towupper(*pattern) == std::towupper(*text));
        if (!accepted) return false;
        escaped = false;
        ++pattern;
        ++text;
        if (*pattern == 0) return *text == 0;
    }
}

struct MatchCase {
    const wchar_t* text;
    const wchar_t* pattern;
    bool matches;
};

TEST(WildcardMatch, ProviderListCases) {
    const MatchCase cases[] = {
        {L"EXOLEDB", L"EXOLEDB", true},
        {L"exoledb.1", L"EXOLEDB*", true},
        {L"EXOLEDB", L"EXO?EDB", true},
        {L"EXO", L"EXO?", false},
        {L"a*", L"a\\*", true},
        {L"ab", L"a\\*", false},
        {L"a", L"a\\*", false},
        {L"abc", L"abc\\", true},
        {L"abcd", L"abc\\", false},
        {L"", L"*", true},
        {L"anything at all", L"*", true},
        {L"", L"", true},
        {L"x", L"", false},
        {L"", L"?", false},
        {L"a?", L"a\\?", true},
        {L"ab", L"a\\?", false},
        {L"a\\b", L"a\\\\b", true},
        {L"MSDAIPP.DSO", L"msdaipp*", true},
        {L"SQLOLEDB", L"*OLE*", true},
        {L"SQLOLEDB", L"*OLE", false},
    };
    for (const MatchCase& entry : cases)
        EXPECT_EQ(Match(entry.text, entry.pattern, kProviderListOptions), entry.matches)
            << testing::PrintToString(std::wstring(entry.text)) << " against "
            << testing::PrintToString(std::wstring(entry.pattern));
}

TEST(WildcardMatch, CaseSensitiveComparisonIsExact) {
    const MatchOptions exact{true, L'?', L'*', L'\\'};
    EXPECT_FALSE(Match(L"exoledb", L"EXOLEDB", exact));
    EXPECT_TRUE(Match(L"EXOLEDB", L"EXO*", exact));
    EXPECT_FALSE(Match(L"exoledb", L"EXO*", exact));
}

TEST(WildcardMatch, NullCountsAsEmpty) {
    EXPECT_TRUE(WildcardMatch(nullptr, nullptr, false, L'?', L'*', L'\\'));
    EXPECT_TRUE(WildcardMatch(nullptr, L"*", false, L'?', L'*', L'\\'));
    EXPECT_FALSE(WildcardMatch(L"a", nullptr, false, L'?', L'*', L'\\'));
}

// Fixed-sequence generator so that a failure reproduces.
class Numbers {
public:
    explicit Numbers(uint32_t startValue) : state_(startValue) {}
    uint32_t Below(uint32_t bound) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ % bound;
    }

private:
    uint32_t state_;
};

std::wstring RandomText(Numbers& numbers, const std::wstring& alphabet, uint32_t maxLength) {
    std::wstring text(numbers.Below(maxLength + 1), L' ');
    for (wchar_t& ch : text) ch = alphabet[numbers.Below(static_cast<uint32_t>(alphabet.size()))];
    return text;
}

TEST(WildcardMatch, AgreesWithTheRecursiveRulesOnRandomPatterns) {
    const std::wstring alphabet = L"aAbB?*\\";
    // Role clashes check the order of the rules: escape before multiple before single.
    const MatchOptions roles[] = {
        {false, L'?', L'*', L'\\'}, {false, L'*', L'?', L'\\'}, {false, L'?', L'*', L'*'},
        {false, L'a', L'*', L'\\'}, {false, L'?', L'?', L'\\'}, {false, L'?', L'b', L'B'},
    };
    Numbers numbers(0x2545F491u);
    int mismatches = 0;
    for (const MatchOptions& role : roles) {
        for (bool caseSensitive : {false, true}) {
            MatchOptions options = role;
            options.caseSensitive = caseSensitive;
            for (int i = 0; i < 4000 && mismatches < 10; ++i) {
                const std::wstring text = RandomText(numbers, alphabet, 7);
                const std::wstring pattern = RandomText(numbers, alphabet, 8);
                const bool expected = ReferenceMatch(text.c_str(), pattern.c_str(), options);
                if (Match(text, pattern, options) == expected) continue;
                ++mismatches;
                ADD_FAILURE() << testing::PrintToString(text) << " against " << testing::PrintToString(pattern)
                              << " single " << static_cast<char>(options.single) << " multiple "
                              << static_cast<char>(options.multiple) << " escape "
                              << static_cast<char>(options.escape) << " case-sensitive " << caseSensitive
                              << ": expected " << expected;
            }
        }
    }
}

TEST(WildcardMatch, ManyMultipleWildcardsStayFast) {
    const std::wstring as(5000, L'a');
    EXPECT_FALSE(Match(as, L"*a*a*a*a*a*a*a*a*a*a*a*a*b", kProviderListOptions));
    EXPECT_TRUE(Match(as + L"b", L"*a*a*a*a*a*a*a*a*a*a*a*a*b", kProviderListOptions));
    EXPECT_FALSE(Match(as, std::wstring(300, L'*') + L"b", kProviderListOptions));
}

}  // namespace
