#pragma once
// Whole-text matching against a pattern with a single wildcard, a multiple wildcard and an
// escape character that makes the next pattern character literal.

// True when the whole text matches the whole pattern. A pattern that ends in an unescaped escape
// character matches where the text ends. Without case sensitivity characters are compared after
// towupper. Null text or pattern counts as empty.
bool WildcardMatch(const wchar_t* text, const wchar_t* pattern, bool caseSensitive, wchar_t single,
                   wchar_t multiple, wchar_t escape);
