#pragma once
// The engine's logon information record: what a user typed to reach a data source.

#include <cstddef>
#include <cstdint>

struct DbPropertyCollection;
struct DbValue;

struct DbLogonInfo {
    DbPropertyCollection* properties;  // owned; a new record has a new, empty collection
    wchar_t* text;                     // owned only while ownsText is set
    DbValue* value;                    // owned
    uint32_t reserved;
    uint32_t size;                     // always 40
    uint16_t ownsText;

    // An empty collection, no text, no value, ownsText 1.
    DbLogonInfo();
    DbLogonInfo(const DbLogonInfo&) = delete;
    DbLogonInfo& operator=(const DbLogonInfo&) = delete;
    // Frees the collection, the text when it is owned, and the value.
    ~DbLogonInfo();
};
static_assert(offsetof(DbLogonInfo, properties) == 0);
static_assert(offsetof(DbLogonInfo, text) == 8);
static_assert(offsetof(DbLogonInfo, value) == 16);
static_assert(offsetof(DbLogonInfo, reserved) == 24);
static_assert(offsetof(DbLogonInfo, size) == 28);
static_assert(offsetof(DbLogonInfo, ownsText) == 32);
static_assert(sizeof(DbLogonInfo) == 40);

struct LogonInfoDeleter {
    void operator()(DbLogonInfo* logonInfo) const;
};

// The record on the process heap, as it is handed to the engine; throws std::bad_alloc with
// nothing left allocated.
DbLogonInfo* NewLogonInfo();
// Destroys and frees; null does nothing.
void DeleteLogonInfo(DbLogonInfo* logonInfo);
