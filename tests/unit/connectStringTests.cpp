// Connection strings split into keys and values, on well-formed and hostile texts.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "reportedAssertions.h"
#include "src/connectstring.h"

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

const wchar_t kPreQuote[] = L"connectstring|preQuoteLen+1 < CONNECTION_STRING_SIZE";
const wchar_t kQuote[] = L"connectstring|quoteLength+1 < CONNECTION_STRING_SIZE";
const wchar_t kPrefix[] = L"connectstring|!strPrefix.isEmpty ()";
const wchar_t kFalse[] = L"connectstring|false";

struct ParseCase {
    const char* name;
    std::wstring text;
    bool result;
    Pairs pairs;
    std::vector<std::wstring> assertions;
};

void RunCases(const std::vector<ParseCase>& cases) {
    ReportedAssertions assertions;
    for (const ParseCase& entry : cases) {
        SCOPED_TRACE(entry.name);
        std::vector<SWCharString> tokens, values;
        EXPECT_EQ(SplitConnectionString(entry.text.c_str(), tokens, values), entry.result);
        ASSERT_EQ(tokens.size(), values.size());
        Pairs pairs;
        for (size_t i = 0; i < tokens.size(); ++i) pairs.emplace_back(tokens[i].c_str(), values[i].c_str());
        EXPECT_EQ(pairs, entry.pairs);
        EXPECT_EQ(assertions.Take(), entry.assertions);
    }
}

TEST(ConnectionString, ShortTexts) {
    RunCases({
        {"plain pairs", L"Provider=SQLOLEDB;Data Source=srv", true,
         {{L"Provider", L"SQLOLEDB"}, {L"Data Source", L"srv"}}, {}},
        {"unquoted keys and values are trimmed", L" Provider = X ; User ID=u", true,
         {{L"Provider", L"X"}, {L"User ID", L"u"}}, {}},
        {"quoted value holds separators", L"Provider=X;Extended Properties=\"DSN=a;UID=b\";Data Source=y", true,
         {{L"Provider", L"X"}, {L"Extended Properties", L"DSN=a;UID=b"}, {L"Data Source", L"y"}}, {}},
        {"quoted pair's key keeps its blank", L"A=1; B=\"x\"", true, {{L"A", L"1"}, {L" B", L"x"}}, {}},
        {"quoted value is not trimmed", L"a=\" X=y \"", true, {{L"a", L" X=y "}}, {}},
        {"leading separator skipped", L";Provider=X", true, {{L"Provider", L"X"}}, {}},
        {"empty quoted value", L"Key=\"\"", true, {{L"Key", L""}}, {}},
        {"unclosed quote runs to the end", L"Key=\"abc", true, {{L"Key", L"abc"}}, {}},
        {"quote as last character", L"a=1;b=\"", true, {{L"a", L"1"}, {L"b", L""}}, {}},
        {"text begins with a quote", L"\"abc\"", true, {{L"", L"abc"}}, {kPrefix}},
        {"equals sign alone before a quote", L"=\"x\"", true, {{L"", L"x"}}, {kPrefix}},
        {"four adjacent quotes", L"a=\"\"\"\"", true, {{L"a", L""}, {L"", L""}}, {kPrefix}},
        {"key directly followed by a quote", L"Key\"abc\"", false, {}, {kFalse}},
        {"text right after the closing quote", L"a=\"x\"y\"", false, {{L"a", L"x"}}, {kFalse}},
        {"failure keeps earlier pairs", L"a=1;b=\"2\";c\"3\"", false, {{L"a", L"1"}, {L"b", L"2"}}, {kFalse}},
        {"item without equals sign", L"justtext", true, {{L"", L"justtext"}}, {}},
        {"value holds further equals signs", L"a=b=c", true, {{L"a", L"b=c"}}, {}},
        {"keys without values", L"a=;b=;=", true, {{L"a", L""}, {L"b", L""}, {L"", L""}}, {}},
        {"earlier pairs before a quoted pair", L"x;;k=\"v\"", true, {{L"", L"x"}, {L"k", L"v"}}, {}},
        // The search for the end of the earlier pairs never looks at the first character.
        {"separator as first character of the key", L";;k=\"v\"", true, {{L";k", L"v"}}, {}},
        {"single quotes are ordinary", L"a='x;y'", true, {{L"a", L"'x"}, {L"", L"y'"}}, {}},
        {"empty text", L"", true, {}, {}},
        {"only separators and blanks", L";; ; ;\t; ", true, {}, {}},
    });
}

}  // namespace
