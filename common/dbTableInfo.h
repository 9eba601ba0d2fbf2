#pragma once
// The engine's table information record. The engine gives the fields their meaning; the driver
// fills the three name texts and the kind (see DbFetchTableList) and keeps the rest as built.

#include <cstddef>
#include <cstdint>

struct DbPropertyCollection;

struct DbTableInfo {
    wchar_t* firstText;
    wchar_t* secondText;
    wchar_t* thirdText;
    wchar_t** textArray;          // entryCount texts
    wchar_t* fourthText;
    wchar_t* fifthText;
    wchar_t* sixthText;
    wchar_t* ownedText;           // owned only while ownsText is set
    wchar_t** parallelTextArray;  // entryCount texts, or null
    DbPropertyCollection* properties;
    uint32_t field80;
    uint32_t size;                // always 112
    uint32_t field88;             // the caller's to set
    uint32_t entryCount;
    uint32_t kind;
    uint16_t field100;
    uint16_t field102;
    uint16_t field104;
    uint16_t ownsText;
    uint32_t field108;

    // No texts, an empty collection, kind 1, ownsText 1, every other field 0 (also field88,
    // which is the caller's to set).
    DbTableInfo();
    DbTableInfo(const DbTableInfo&) = delete;
    DbTableInfo& operator=(const DbTableInfo&) = delete;
    // Frees the texts (ownedText only while ownsText is set), both text arrays with their
    // entryCount texts, and the collection.
    ~DbTableInfo();
};
static_assert(offsetof(DbTableInfo, firstText) == 0);
static_assert(offsetof(DbTableInfo, secondText) == 8);
static_assert(offsetof(DbTableInfo, thirdText) == 16);
static_assert(offsetof(DbTableInfo, textArray) == 24);
static_assert(offsetof(DbTableInfo, fourthText) == 32);
static_assert(offsetof(DbTableInfo, fifthText) == 40);
static_assert(offsetof(DbTableInfo, sixthText) == 48);
static_assert(offsetof(DbTableInfo, ownedText) == 56);
static_assert(offsetof(DbTableInfo, parallelTextArray) == 64);
static_assert(offsetof(DbTableInfo, properties) == 72);
static_assert(offsetof(DbTableInfo, field80) == 80);
static_assert(offsetof(DbTableInfo, size) == 84);
static_assert(offsetof(DbTableInfo, field88) == 88);
static_assert(offsetof(DbTableInfo, entryCount) == 92);
static_assert(offsetof(DbTableInfo, kind) == 96);
static_assert(offsetof(DbTableInfo, field100) == 100);
static_assert(offsetof(DbTableInfo, field102) == 102);
static_assert(offsetof(DbTableInfo, field104) == 104);
static_assert(offsetof(DbTableInfo, ownsText) == 106);
static_assert(offsetof(DbTableInfo, field108) == 108);
static_assert(sizeof(DbTableInfo) == 112);

// The record on the process heap, as it is handed to the engine; throws std::bad_alloc with
// nothing left allocated.
DbTableInfo* NewTableInfo();
// Destroys and frees; null does nothing.
void DeleteTableInfo(DbTableInfo* tableInfo);
