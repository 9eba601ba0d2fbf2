#include "src/connectstring.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "platform/dbAssert.h"
#include "platform/tokenizer.h"

namespace {

using TextView = std::wstring_view;

SWCharString ToString(TextView text) { return SWCharString(text.data(), text.size()); }

bool FitsWorkingBuffer(size_t length) { return length + 1 < CONNECTION_STRING_SIZE; }

void AppendPair(const SWCharString& key, const SWCharString& value, std::vector<SWCharString>& tokens,
                std::vector<SWCharString>& values) {
    tokens.push_back(key);
    values.push_back(value);
}

// A text without quotes: ";"-separated pairs, keys and values trimmed; an item without "=" is
// a value with the empty key. Blank items between separators give no pair.
void ParseUnquotedPairs(TextView text, std::vector<SWCharString>& tokens, std::vector<SWCharString>& values) {
    DB_ASSERT_TEXT(FitsWorkingBuffer(text.size()), "preQuoteLen+1 < CONNECTION_STRING_SIZE");
    std::vector<SWCharString> items;
    SStringHelper::makeWords(ToString(text), items, L";", false, true);
    for (const SWCharString& item : items) {
        const ptrdiff_t equals = item.findFirst(L'=');
        if (equals < 0) {
            AppendPair(SWCharString(), item, tokens, values);
            continue;
        }
        SWCharString key = item.left(static_cast<size_t>(equals));
        SWCharString value = item.mid(static_cast<size_t>(equals) + 1);
        key.trim();
        value.trim();
        AppendPair(key, value, tokens, values);
    }
}

bool ParseText(TextView rest, std::vector<SWCharString>& tokens, std::vector<SWCharString>& values);

// The text before an opening quote: earlier pairs, then the quoted pair's key and "=". The
// earlier pairs end at the last ";" before the key; the first character is never examined.
bool ParseKeyBeforeQuote(TextView preQuote, SWCharString& strPrefix, std::vector<SWCharString>& tokens,
                         std::vector<SWCharString>& values) {
    DB_ASSERT_TEXT(FitsWorkingBuffer(preQuote.size()), "preQuoteLen+1 < CONNECTION_STRING_SIZE");
    // Too long for the working buffer: there is no "=" to check, so the text is refused.
    if (!FitsWorkingBuffer(preQuote.size())) return false;
    const size_t equals = preQuote.size() - 1;
    if (preQuote[equals] != L'=') {
        DB_ASSERT_TEXT(false, "false");
        return false;
    }
    size_t separator = TextView::npos;
    for (size_t i = equals; i-- > 1;) {
        if (preQuote[i] == L';') {
            separator = i;
            break;
        }
    }
    if (separator == TextView::npos) {
        strPrefix = ToString(preQuote.substr(0, equals));
        return true;
    }
    if (!ParseText(preQuote.substr(0, separator + 1), tokens, values)) return false;
    strPrefix = ToString(preQuote.substr(separator + 1, equals - separator - 1));
    return true;
}

// Each quoted pair is followed by the rest of the text, parsed in the same loop so that a long
// string of quoted pairs needs no deeper stack.
bool ParseText(TextView rest, std::vector<SWCharString>& tokens, std::vector<SWCharString>& values) {
    for (;;) {
        if (!rest.empty() && rest.front() == L';') rest.remove_prefix(1);
        if (rest.empty()) return true;

        const size_t quote = rest.find(L'"');
        if (quote == TextView::npos) {
            ParseUnquotedPairs(rest, tokens, values);
            return true;
        }

        SWCharString strPrefix;
        if (quote > 0 && !ParseKeyBeforeQuote(rest.substr(0, quote), strPrefix, tokens, values)) return false;

        const TextView quoted = rest.substr(quote + 1);
        size_t quoteLength = std::min(quoted.find(L'"'), quoted.size());
        DB_ASSERT_TEXT(FitsWorkingBuffer(quoteLength), "quoteLength+1 < CONNECTION_STRING_SIZE");
        if (!FitsWorkingBuffer(quoteLength)) quoteLength = 0;

        DB_ASSERT_TEXT(!strPrefix.isEmpty(), "!strPrefix.isEmpty ()");
        AppendPair(strPrefix, ToString(quoted.substr(0, quoteLength)), tokens, values);

        const size_t consumed = quote + quoteLength + 2;
        if (rest.size() <= consumed) return true;
        rest.remove_prefix(consumed);
    }
}

}  // namespace

bool SplitConnectionString(const wchar_t* connectionString, std::vector<SWCharString>& tokens,
                           std::vector<SWCharString>& values) {
    if (!connectionString) return false;
    SWCharString copy;
    try {
        copy = connectionString;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return ParseConnectionString(copy.c_str(), tokens, values);
}

bool ParseConnectionString(const wchar_t* text, std::vector<SWCharString>& tokens,
                           std::vector<SWCharString>& values) {
    if (!text) return false;
    return ParseText(TextView(text), tokens, values);
}
