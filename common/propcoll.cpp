#include "common/propcoll.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "platform/dbAssert.h"

namespace {

constexpr uint32_t kCollectionSize = 16;

// Locale collation first; the plain comparison decides when collation reports an error.
bool KeysEqual(const wchar_t* key, const wchar_t* text) {
    int result = _wcsicoll(key, text);
    if (result == _NLSCMPERROR) result = _wcsicmp(key, text);
    return result == 0;
}

int32_t FindByText(const DbPropertyCollection& collection, const wchar_t* key, wchar_t* DbProperty::*text) {
    for (uint32_t i = 0; i < collection.count; ++i) {
        const DbProperty* property = collection.items[i];
        DB_ASSERT_TEXT(property != nullptr, "prop != NULL");
        if (property && property->*text && KeysEqual(key, property->*text)) return static_cast<int32_t>(i);
    }
    return -1;
}

// The property as AddProperty stores it: children copied whole, the value only when it holds data.
PropertyOwner AddedCopy(const DbProperty& source) {
    PropertyOwner copy(NewRecord<DbProperty>());
    copy->name = DuplicateText(source.name);
    copy->displayName = DuplicateText(source.displayName);
    copy->description = DuplicateText(source.description);
    copy->valueType = source.valueType;
    copy->flags = source.flags;
    if (source.children) copy->children = NewRecord<DbPropertyCollection>(*source.children);
    if (source.value && source.value->kind != noValueKind && source.value->data) AssignValue(*copy->value, source.value);
    return copy;
}

// The array is replaced by one of exactly count + 1 entries.
void Append(DbPropertyCollection& collection, PropertyOwner property) {
    auto** items = static_cast<DbProperty**>(AllocateZeroed((collection.count + 1) * sizeof(DbProperty*)));
    if (collection.count) std::memcpy(items, collection.items, collection.count * sizeof(DbProperty*));
    items[collection.count] = property.release();
    std::free(collection.items);
    collection.items = items;
    ++collection.count;
}

}  // namespace

DbPropertyCollection::DbPropertyCollection() : size(kCollectionSize), count(0), items(nullptr) {}

// Delegating first makes the destructor free whatever was copied when a copy fails.
DbPropertyCollection::DbPropertyCollection(const DbPropertyCollection& source) : DbPropertyCollection() {
    if (source.count == 0) return;
    items = static_cast<DbProperty**>(AllocateZeroed(source.count * sizeof(DbProperty*)));
    count = source.count;
    for (uint32_t i = 0; i < source.count; ++i) {
        DB_ASSERT_TEXT(source.items[i] != nullptr, "prop != NULL");
        if (source.items[i]) items[i] = NewRecord<DbProperty>(*source.items[i]);
    }
}

DbPropertyCollection::~DbPropertyCollection() {
    for (uint32_t i = 0; i < count; ++i) DeleteRecord(items[i]);
    std::free(items);
    items = nullptr;
    count = 0;
}

void PropertyCollectionDeleter::operator()(DbPropertyCollection* collection) const { DeleteRecord(collection); }

int32_t FindPropertyIndex(const DbPropertyCollection* collection, const wchar_t* key) {
    if (!key || !*key || !collection || collection->count == 0) return -1;
    int32_t index = FindByText(*collection, key, &DbProperty::name);
    return index >= 0 ? index : FindByText(*collection, key, &DbProperty::displayName);
}

DbProperty* FindProperty(const DbPropertyCollection* collection, const wchar_t* key, bool thisLevelOnly,
                         int32_t* outIndex) {
    int32_t index = FindPropertyIndex(collection, key);
    if (index >= 0) {
        if (outIndex) *outIndex = index;
        return collection->items[index];
    }
    if (thisLevelOnly) {
        if (outIndex) *outIndex = 0;
        return nullptr;
    }
    for (uint32_t i = 0; collection && i < collection->count; ++i) {
        const DbProperty* property = collection->items[i];
        if (!property || !property->children) continue;
        if (DbProperty* found = FindProperty(property->children, key, false, outIndex)) return found;
    }
    return nullptr;
}

bool AddProperty(DbPropertyCollection& collection, const DbProperty* property) {
    if (!property) return false;
    Append(collection, AddedCopy(*property));
    return true;
}

bool AddNewProperty(DbPropertyCollection& collection, const wchar_t* name, const wchar_t* displayName,
                    const wchar_t* description, uint32_t valueType, uint32_t flags, const DbValue* value) {
    PropertyOwner property(NewRecord<DbProperty>());
    property->name = DuplicateText(name);
    property->displayName = DuplicateText(displayName);
    property->description = DuplicateText(description);
    property->valueType = valueType;
    property->flags = flags;
    if (value)
        AssignValue(*property->value, value);
    else
        property->value->valueType = valueType;
    return AddProperty(collection, property.get());
}

int32_t AddAllProperties(DbPropertyCollection& destination, const DbPropertyCollection& source) {
    for (uint32_t i = 0; i < source.count; ++i) {
        DB_ASSERT_TEXT(source.items[i] != nullptr, "prop != NULL");
        AddProperty(destination, source.items[i]);
    }
    return 0;
}

void MergeGroupedProperties(const DbPropertyCollection& source, DbPropertyCollection& destination,
                            const wchar_t* groupName) {
    for (uint32_t i = 0; i < source.count; ++i) {
        const DbProperty* property = source.items[i];
        DB_ASSERT_TEXT(property != nullptr, "prop != NULL");
        if (!property || !property->children) continue;
        const DbProperty* group = FindProperty(property->children, groupName, false, nullptr);
        if (!group || !group->children || group->children->count == 0) continue;
        for (uint32_t j = 0; j < group->children->count; ++j) {
            const DbProperty* child = group->children->items[j];
            DB_ASSERT_TEXT(child != nullptr, "property != NULL");
            if (!child) continue;
            int32_t index = FindPropertyIndex(&destination, child->name);
            if (index >= 0) {
                DbProperty& entry = *destination.items[index];
                if (!entry.value) entry.value = NewValue(noValueType);
                AssignValue(*entry.value, child->value);
            } else {
                AddNewProperty(destination, child->name, child->displayName, child->description, child->valueType,
                               child->flags, child->value);
            }
        }
    }
}
