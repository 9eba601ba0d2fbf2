#include "common/patternList.h"

#include "common/wildcardMatch.h"
#include "platform/dbAssert.h"
#include "platform/tokenizer.h"

// Assertions report under the module name the logs know this code by.
#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "dbdllcommon"

void SplitToList(const SWCharString& text, const SWCharString& separators, std::vector<SWCharString>& list) {
    SStrTok tokenizer(text, separators);
    while (tokenizer.HasMore()) list.push_back(tokenizer.Next());
}

bool MatchAnyListItem(const SWCharString& name, const std::vector<SWCharString>& list, bool caseSensitive,
                      wchar_t single, wchar_t multiple, wchar_t escape) {
    for (const SWCharString& listItem : list) {
        // An empty item is reported but still compared: it matches the empty name.
        DB_ASSERT_TEXT(!listItem.isEmpty(), "!listItem.isEmpty ()");
        if (WildcardMatch(name.c_str(), listItem.c_str(), caseSensitive, single, multiple, escape)) return true;
    }
    return false;
}
