#pragma once
// One named setting exchanged with the engine: texts, a typed value and optional children.
// Records live in malloc'd memory (common/heapRecord.h) and own everything they point to.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/SWCharString.h"

struct DbValue;
struct DbPropertyCollection;

struct DbProperty {
    uint32_t size;                   // always 64
    wchar_t* name;                   // the key; language-independent
    wchar_t* displayName;            // the label in the user's language; a second key
    wchar_t* description;
    uint32_t valueType;              // 255 when not set
    DbValue* value;                  // never null in a property the driver builds
    uint32_t flags;                  // the engine's; carried unchanged
    DbPropertyCollection* children;  // null when there are none

    // A fresh property: no texts, value type 255, an empty value of type 255, flags 0, no children.
    DbProperty();
    // Deep copy; the value is assigned whatever its kind, so an empty source value passes on its
    // value type. On failure nothing is left allocated.
    DbProperty(const DbProperty& source);
    DbProperty& operator=(const DbProperty&) = delete;
    // Frees the texts, the value and the children.
    ~DbProperty();
};
static_assert(offsetof(DbProperty, size) == 0);
static_assert(offsetof(DbProperty, name) == 8);
static_assert(offsetof(DbProperty, displayName) == 16);
static_assert(offsetof(DbProperty, description) == 24);
static_assert(offsetof(DbProperty, valueType) == 32);
static_assert(offsetof(DbProperty, value) == 40);
static_assert(offsetof(DbProperty, flags) == 48);
static_assert(offsetof(DbProperty, children) == 56);
static_assert(sizeof(DbProperty) == 64);

struct PropertyDeleter {
    void operator()(DbProperty* property) const;
};
using PropertyOwner = std::unique_ptr<DbProperty, PropertyDeleter>;

// Appends a deep copy of the child (AddProperty), creating the children collection when needed;
// a null child does nothing. Returns 0.
int32_t AddChildProperty(DbProperty& property, const DbProperty* child);
// Makes the value a discrete value of the property's value type; copies data when copy is set,
// else takes ownership of it. Returns 0.
int32_t SetValueFromBuffer(DbProperty& property, void* data, bool copy);
// For string properties only (value type 11); any other type gives 11 and no change. The text
// is copied.
int32_t SetStringValue(DbProperty& property, const wchar_t* text);
// The value as text; empty when there is no value.
SWCharString GetValueAsString(const DbProperty& property);
