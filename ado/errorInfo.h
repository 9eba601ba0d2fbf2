#pragma once
// The engine's error list: records chained from the most recent, each with a result code and
// a text for the user. Records are allocated on the C run-time heap and come back through
// DbFreeErrorInfo.

#include <cstddef>
#include <cstdint>

struct DbErrorInfo {
    DbErrorInfo* next;
    uint32_t code;
    wchar_t* text;  // may be null
    int32_t nativeError;
};
static_assert(offsetof(DbErrorInfo, next) == 0);
static_assert(offsetof(DbErrorInfo, code) == 8);
static_assert(offsetof(DbErrorInfo, text) == 16);
static_assert(offsetof(DbErrorInfo, nativeError) == 24);
static_assert(sizeof(DbErrorInfo) == 32);

// Adds a record with a copy of text (null stays null) at the head of the list. Throws std::bad_alloc.
void AddErrorInfo(DbErrorInfo** head, uint32_t code, const wchar_t* text);

// Releases a whole chain with its texts; null does nothing.
void FreeErrorInfoChain(DbErrorInfo* first);
