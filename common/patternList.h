#pragma once
// Lists of wildcard patterns, such as the provider lists read from the registry.

#include <vector>

#include "platform/SWCharString.h"

// Appends the tokens of the text, split at any of the separator characters, in order.
void SplitToList(const SWCharString& text, const SWCharString& separators, std::vector<SWCharString>& list);

// True when the name matches at least one item (WildcardMatch with these options).
bool MatchAnyListItem(const SWCharString& name, const std::vector<SWCharString>& list, bool caseSensitive,
                      wchar_t single, wchar_t multiple, wchar_t escape);
