// Connection strings split into keys and values, on well-formed and hostile texts.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "reportedAssertions.h"
#include "src/connectstring.h"

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

const wchar_t kPreQuoteAssertion[] = L"connectstring|preQuoteLen+1 < CONNECTION_STRING_SIZE";
const wchar_t kQuoteAssertion[] = L"connectstring|quoteLength+1 < CONNECTION_STRING_SIZE";
const wchar_t kPrefixAssertion[] = L"connectstring|!strPrefix.isEmpty ()";
const wchar_t kFalseAssertion[] = L"connectstring|false";

struct ParseCase {
    const char* name;
    std::wstring text;
    bool result;
    Pairs pairs;
    std::vector<std::wstring> assertions;
};

struct ParseOutcome {
    bool result;
    Pairs pairs;
};

ParseOutcome Split(const wchar_t* text) {
    std::vector<SWCharString> tokens;
    std::vector<SWCharString> values;
    ParseOutcome outcome{SplitConnectionString(text, tokens, values), {}};
    EXPECT_EQ(tokens.size(), values.size());
    for (size_t i = 0; i < tokens.size() && i < values.size(); ++i)
        outcome.pairs.emplace_back(tokens[i].str(), values[i].str());
    return outcome;
}

std::wstring Repeat(wchar_t ch, size_t count) { return std::wstring(count, ch); }

const std::vector<ParseCase>& WellFormedCases() {
    static const std::vector<ParseCase> cases = {
        {"plain pairs", L"Provider=SQLOLEDB;Data Source=srv", true,
         {{L"Provider", L"SQLOLEDB"}, {L"Data Source", L"srv"}}, {}},
        {"unquoted keys and values are trimmed", L" Provider = X ; User ID=u", true,
         {{L"Provider", L"X"}, {L"User ID", L"u"}}, {}},
        {"quoted value holds separators", L"Provider=X;Extended Properties=\"DSN=a;UID=b\";Data Source=y", true,
         {{L"Provider", L"X"}, {L"Extended Properties", L"DSN=a;UID=b"}, {L"Data Source", L"y"}}, {}},
        {"quoted key keeps its blank", L"A=1; B=\"x\"", true, {{L"A", L"1"}, {L" B", L"x"}}, {}},
        {"leading separator skipped", L";Provider=X", true, {{L"Provider", L"X"}}, {}},
        {"empty quoted value", L"Key=\"\"", true, {{L"Key", L""}}, {}},
        {"unclosed quote runs to the end", L"Key=\"abc", true, {{L"Key", L"abc"}}, {}},
        {"quoted value without key", L"\"abc\"", true, {{L"", L"abc"}}, {kPrefixAssertion}},
        {"quote not after equals sign", L"Key\"abc\"", false, {}, {kFalseAssertion}},
        {"item without equals sign", L"justtext", true, {{L"", L"justtext"}}, {}},
        {"quoted values keep case and blanks", L"a=\" X=y \"", true, {{L"a", L" X=y "}}, {}},
        {"two quoted pairs", L"a=\"1\";b=\"2\"", true, {{L"a", L"1"}, {L"b", L"2"}}, {}},
        {"value holds further equals signs", L"a=b=c", true, {{L"a", L"b=c"}}, {}},
        {"earlier pairs before a quoted pair", L"x;;k=\"v\"", true, {{L"", L"x"}, {L"k", L"v"}}, {}},
    };
    return cases;
}

const std::vector<ParseCase>& HostileCases() {
    static const std::vector<ParseCase> cases = {
        {"empty text", L"", true, {}, {}},
        {"one separator", L";", true, {}, {}},
        {"only separators", L";;;;", true, {}, {}},
        {"separators and blanks", L" ; ;\t; ", true, {}, {}},
        {"keys without values", L"a=;b=", true, {{L"a", L""}, {L"b", L""}}, {}},
        {"items without keys", L"a;b", true, {{L"", L"a"}, {L"", L"b"}}, {}},
        {"equals sign alone", L"=", true, {{L"", L""}}, {}},
        {"value without key", L"=v", true, {{L"", L"v"}}, {}},
        {"quote as last character", L"a=1;b=\"", true, {{L"a", L"1"}, {L"b", L""}}, {}},
        {"quote alone", L"\"", true, {{L"", L""}}, {kPrefixAssertion}},
        {"unclosed second quoted value", L"a=\"x\";b=\"y", true, {{L"a", L"x"}, {L"b", L"y"}}, {}},
        {"text right after the closing quote", L"a=\"x\"y\"", false, {{L"a", L"x"}}, {kFalseAssertion}},
        {"four adjacent quotes", L"a=\"\"\"\"", true, {{L"a", L""}, {L"", L""}}, {kPrefixAssertion}},
        {"equals sign before the quote only", L"=\"x\"", true, {{L"", L"x"}}, {kPrefixAssertion}},
        // The search for the end of the earlier pairs never looks at the first character.
        {"separator as first character of the key", L";;k=\"v\"", true, {{L";k", L"v"}}, {}},
        {"single quotes are ordinary", L"a='x;y'", true, {{L"a", L"'x"}, {L"", L"y'"}}, {}},
        {"failure keeps earlier pairs", L"a=1;b=\"2\";c\"3\"", false, {{L"a", L"1"}, {L"b", L"2"}},
         {kFalseAssertion}},
    };
    return cases;
}

void RunCases(const std::vector<ParseCase>& cases) {
    ReportedAssertions assertions;
    for (const ParseCase& entry : cases) {
        SCOPED_TRACE(entry.name);
        const ParseOutcome outcome = Split(entry.text.c_str());
        EXPECT_EQ(outcome.result, entry.result);
        EXPECT_EQ(outcome.pairs, entry.pairs);
        EXPECT_EQ(assertions.Take(), entry.assertions);
    }
}

TEST(ConnectionString, WellFormedTexts) { RunCases(WellFormedCases()); }

TEST(ConnectionString, HostileTexts) { RunCases(HostileCases()); }

TEST(ConnectionString, NullTextIsRefused) {
    std::vector<SWCharString> tokens;
    std::vector<SWCharString> values;
    EXPECT_FALSE(SplitConnectionString(nullptr, tokens, values));
    EXPECT_FALSE(ParseConnectionString(nullptr, tokens, values));
    EXPECT_TRUE(tokens.empty());
    EXPECT_TRUE(values.empty());
}

TEST(ConnectionString, LongUnquotedTextIsSplitInFull) {
    std::wstring text;
    Pairs expected;
    for (int i = 0; text.size() < 5000; ++i) {
        std::wstring key = L"key" + std::to_wstring(i);
        std::wstring value = L"value" + std::to_wstring(i);
        text += key + L"=" + value + L";";
        expected.emplace_back(key, value);
    }
    const std::wstring singleValue = Repeat(L'x', 5000);
    const std::wstring atLimit = Repeat(L'y', CONNECTION_STRING_SIZE - 2);
    const std::wstring overLimit = Repeat(L'z', CONNECTION_STRING_SIZE - 1);
    RunCases({
        {"5000 characters of pairs", text, true, expected, {kPreQuoteAssertion}},
        {"one item of 5000 characters", singleValue, true, {{L"", singleValue}}, {kPreQuoteAssertion}},
        {"4094 characters", atLimit, true, {{L"", atLimit}}, {}},
        {"4095 characters", overLimit, true, {{L"", overLimit}}, {kPreQuoteAssertion}},
    });
}

TEST(ConnectionString, KeyBeforeQuoteMustFitTheWorkingBuffer) {
    const std::wstring fittingKey = Repeat(L'k', CONNECTION_STRING_SIZE - 3);
    const std::wstring longKey = Repeat(L'k', CONNECTION_STRING_SIZE - 2);
    const std::wstring longEarlierPairs = L"a=1;" + Repeat(L'k', CONNECTION_STRING_SIZE);
    RunCases({
        {"4094 characters before the quote", fittingKey + L"=\"v\"", true, {{fittingKey, L"v"}}, {}},
        {"4095 characters before the quote", longKey + L"=\"v\"", false, {}, {kPreQuoteAssertion}},
        {"long earlier pairs", longEarlierPairs + L";b=\"v\"", false, {}, {kPreQuoteAssertion}},
    });
}

TEST(ConnectionString, LongQuotedValueIsTakenAsEmptyAndParsingResumesInsideIt) {
    const std::wstring fittingValue = Repeat(L'v', CONNECTION_STRING_SIZE - 2);
    // Resuming at the value's second character reads "y=1" as a pair, not "xy=1".
    const std::wstring padding = Repeat(L'p', CONNECTION_STRING_SIZE);
    const std::wstring longValue = L"xy=1;" + padding;
    RunCases({
        {"4094-character value", L"k=\"" + fittingValue + L"\";n=2", true, {{L"k", fittingValue}, {L"n", L"2"}},
         {}},
        {"value of 4095 characters or more", L"k=\"" + longValue, true,
         {{L"k", L""}, {L"y", L"1"}, {L"", padding}}, {kQuoteAssertion, kPreQuoteAssertion}},
    });
}

TEST(ConnectionString, ManyQuotedPairsNeedNoDeepStack) {
    std::wstring text;
    for (int i = 0; i < 100000; ++i) text += L"k=\"v\";";
    const ParseOutcome outcome = Split(text.c_str());
    EXPECT_TRUE(outcome.result);
    ASSERT_EQ(outcome.pairs.size(), 100000u);
    EXPECT_EQ(outcome.pairs.back(), (std::pair<std::wstring, std::wstring>(L"k", L"v")));
}

}  // namespace
