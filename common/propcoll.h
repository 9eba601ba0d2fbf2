#pragma once
// Collections of properties: the logon dialog description, the logon information, and the
// user-interface attributes of one property. A collection owns its array and every entry.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "common/dbproperty.h"

struct DbPropertyCollection {
    uint32_t size;       // always 16
    uint32_t count;
    DbProperty** items;  // exactly count entries; null when empty

    DbPropertyCollection();
    // Deep copy, entry by entry; on failure nothing is left allocated.
    DbPropertyCollection(const DbPropertyCollection& source);
    DbPropertyCollection& operator=(const DbPropertyCollection&) = delete;
    ~DbPropertyCollection();
};
static_assert(offsetof(DbPropertyCollection, size) == 0);
static_assert(offsetof(DbPropertyCollection, count) == 4);
static_assert(offsetof(DbPropertyCollection, items) == 8);
static_assert(sizeof(DbPropertyCollection) == 16);

struct PropertyCollectionDeleter {
    void operator()(DbPropertyCollection* collection) const;
};
using PropertyCollectionOwner = std::unique_ptr<DbPropertyCollection, PropertyCollectionDeleter>;

// Index of the first entry whose name, or failing that whose display name, equals the key
// without regard to case; -1 when none does.
int32_t FindPropertyIndex(const DbPropertyCollection* collection, const wchar_t* key);

// The entry (still owned by its collection) found by FindPropertyIndex, or unless
// thisLevelOnly, depth first among the children. outIndex, when given, receives the index
// within the collection that holds the hit; when thisLevelOnly finds nothing it receives 0.
DbProperty* FindProperty(const DbPropertyCollection* collection, const wchar_t* key, bool thisLevelOnly,
                         int32_t* outIndex);

// Appends a deep copy; false when property is null. A name may occur more than once.
bool AddProperty(DbPropertyCollection& collection, const DbProperty* property);
// Appends a property made of copies of the arguments; a null value gives an empty value of
// valueType.
bool AddNewProperty(DbPropertyCollection& collection, const wchar_t* name, const wchar_t* displayName,
                    const wchar_t* description, uint32_t valueType, uint32_t flags, const DbValue* value);
// Appends deep copies of every entry of the source, in order. Returns 0.
int32_t AddAllProperties(DbPropertyCollection& destination, const DbPropertyCollection& source);

// Flattens a grouped description: the children of every property named groupName (found among
// the children of a top-level property) update the destination entry of the same name or are
// appended to the destination.
void MergeGroupedProperties(const DbPropertyCollection& source, DbPropertyCollection& destination,
                            const wchar_t* groupName);
