#pragma once
// Splits an OLE DB connection string into parallel lists of keys and values, in pair order.
// A value may be enclosed in double quotes so that it can hold ";"; such a quote cannot be
// escaped, and single quotes have no meaning.

#include <cstddef>
#include <vector>

#include "platform/SWCharString.h"

// Capacity, in characters with the terminator, of the text before an opening quote and of a
// quoted value: each may hold at most CONNECTION_STRING_SIZE - 2 characters.
constexpr size_t CONNECTION_STRING_SIZE = 4096;

// Parses a copy of the connection string. False for a null string, a copy that cannot be made
// or a malformed text; pairs found before a failure stay in the lists.
bool SplitConnectionString(const wchar_t* connectionString, std::vector<SWCharString>& tokens,
                           std::vector<SWCharString>& values);

// Appends the pairs of a zero-terminated text to both lists. False for a null text or a quote
// that does not follow "=" (or follows a key that is too long).
bool ParseConnectionString(const wchar_t* text, std::vector<SWCharString>& tokens,
                           std::vector<SWCharString>& values);
