// Property collections: look-up, nesting, deep copies, appending and merging of grouped entries.

#include <gtest/gtest.h>

#include <cstdlib>

#include "com/resultCodes.h"
#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"

namespace {

const wchar_t* TextOf(const DbValue* value) {
    return value && value->kind == discreteValueKind ? static_cast<const wchar_t*>(value->data) : nullptr;
}

DbValue TextValue(const wchar_t* text) {
    DbValue value(stringValue);
    SetDiscreteValue(value, stringValue, const_cast<wchar_t*>(text), true);
    return value;
}

void AddText(DbPropertyCollection& collection, const wchar_t* name, const wchar_t* displayName, const wchar_t* text) {
    DbValue value = TextValue(text);
    ASSERT_TRUE(AddNewProperty(collection, name, displayName, nullptr, stringValue, 0, &value));
}

// A property with the given children, each a copy.
PropertyOwner Group(const wchar_t* name, std::initializer_list<const DbProperty*> children) {
    PropertyOwner group(NewRecord<DbProperty>());
    group->name = DuplicateText(name);
    for (const DbProperty* child : children) AddChildProperty(*group, child);
    return group;
}

PropertyOwner TextProperty(const wchar_t* name, const wchar_t* text) {
    DbPropertyCollection holder;
    AddText(holder, name, nullptr, text);
    return PropertyOwner(NewRecord<DbProperty>(*holder.items[0]));
}

TEST(PropertyLookup, NamesAreSearchedBeforeDisplayNamesWithoutRegardToCase) {
    DbPropertyCollection collection;
    AddText(collection, L"Label", L"Server", L"first");
    AddText(collection, L"Server", L"Host", L"second");

    struct Case {
        const wchar_t* key;
        int32_t index;
    };
    for (const Case& entry : {Case{L"Server", 1}, Case{L"SERVER", 1}, Case{L"label", 0}, Case{L"host", 1},
                              Case{L"Hos", -1}, Case{L"", -1}, Case{nullptr, -1}})
        EXPECT_EQ(FindPropertyIndex(&collection, entry.key), entry.index)
            << testing::PrintToString(entry.key ? entry.key : L"(null)");

    DbPropertyCollection empty;
    EXPECT_EQ(FindPropertyIndex(&empty, L"Server"), -1);
    EXPECT_EQ(FindPropertyIndex(nullptr, L"Server"), -1);
}

TEST(PropertyLookup, NestedSearchReportsTheIndexWithinTheHoldingCollection) {
    PropertyOwner first = TextProperty(L"First", L"1");
    PropertyOwner deep = TextProperty(L"Deep", L"found");
    PropertyOwner inner = Group(L"Inner", {first.get(), deep.get()});
    PropertyOwner outer = Group(L"Outer", {inner.get()});
    DbPropertyCollection collection;
    AddText(collection, L"Plain", nullptr, L"x");
    AddProperty(collection, outer.get());

    int32_t index = 7;
    const DbProperty* found = FindProperty(&collection, L"deep", false, &index);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(TextOf(found->value), L"found");
    EXPECT_EQ(index, 1);
    EXPECT_EQ(found, collection.items[1]->children->items[0]->children->items[1]);

    index = 7;
    EXPECT_EQ(FindProperty(&collection, L"Deep", true, &index), nullptr);
    EXPECT_EQ(index, 0);

    index = 7;
    EXPECT_EQ(FindProperty(&collection, L"Missing", false, &index), nullptr);
    EXPECT_EQ(index, 7);

    EXPECT_EQ(FindProperty(&collection, L"Outer", true, nullptr), collection.items[1]);
}

TEST(PropertyCopies, CopiesOwnEverythingAndOutliveTheirSource) {
    PropertyOwner child = TextProperty(L"Child", L"child text");
    PropertyOwner source = Group(L"Parent", {child.get()});
    source->displayName = DuplicateText(L"Parent label");
    source->description = DuplicateText(L"Parent prompt");
    source->valueType = stringValue;
    source->flags = 0x55;
    ASSERT_EQ(SetStringValue(*source, L"parent text"), DbSuccess);

    PropertyOwner copy(NewRecord<DbProperty>(*source));
    PropertyCollectionOwner sourceCollection(NewRecord<DbPropertyCollection>());
    AddProperty(*sourceCollection, source.get());
    DbPropertyCollection collectionCopy(*sourceCollection);

    ASSERT_EQ(SetStringValue(*source, L"changed"), DbSuccess);
    source->name[0] = L'X';
    sourceCollection->items[0]->name[0] = L'X';
    source.reset();
    sourceCollection.reset();

    for (DbProperty* property : {copy.get(), collectionCopy.items[0]}) {
        EXPECT_EQ(property->size, 64u);
        EXPECT_STREQ(property->name, L"Parent");
        EXPECT_STREQ(property->displayName, L"Parent label");
        EXPECT_STREQ(property->description, L"Parent prompt");
        EXPECT_EQ(property->valueType, static_cast<uint32_t>(stringValue));
        EXPECT_EQ(property->flags, 0x55u);
        EXPECT_STREQ(TextOf(property->value), L"parent text");
        ASSERT_NE(property->children, nullptr);
        ASSERT_EQ(property->children->count, 1u);
        EXPECT_STREQ(TextOf(property->children->items[0]->value), L"child text");
    }
    EXPECT_NE(copy->children->items[0], collectionCopy.items[0]->children->items[0]);
}

TEST(PropertyCopies, AnEmptyValueIsCopiedWholeButAppendedAsTypeless) {
    PropertyOwner source(NewRecord<DbProperty>());
    source->name = DuplicateText(L"Empty");
    source->valueType = stringValue;
    source->value->valueType = stringValue;

    PropertyOwner copy(NewRecord<DbProperty>(*source));
    EXPECT_EQ(copy->value->kind, static_cast<uint32_t>(noValueKind));
    EXPECT_EQ(copy->value->valueType, static_cast<uint32_t>(stringValue));

    DbPropertyCollection collection;
    ASSERT_TRUE(AddProperty(collection, source.get()));
    const DbProperty& added = *collection.items[0];
    EXPECT_EQ(added.valueType, static_cast<uint32_t>(stringValue));
    ASSERT_NE(added.value, nullptr);
    EXPECT_EQ(added.value->kind, static_cast<uint32_t>(noValueKind));
    EXPECT_EQ(added.value->valueType, static_cast<uint32_t>(noValueType));
}

TEST(PropertyAppending, TheSamePropertyTwiceGivesTwoEntriesAndNullIsRefused) {
    PropertyOwner property = TextProperty(L"Twice", L"value");
    DbPropertyCollection collection;
    EXPECT_TRUE(AddProperty(collection, property.get()));
    EXPECT_TRUE(AddProperty(collection, property.get()));
    EXPECT_FALSE(AddProperty(collection, nullptr));
    ASSERT_EQ(collection.count, 2u);
    EXPECT_NE(collection.items[0], collection.items[1]);
    EXPECT_NE(collection.items[0], property.get());
    EXPECT_STREQ(collection.items[1]->name, L"Twice");

    DbPropertyCollection all;
    EXPECT_EQ(AddAllProperties(all, collection), 0);
    ASSERT_EQ(all.count, 2u);
    EXPECT_STREQ(TextOf(all.items[1]->value), L"value");
}

TEST(PropertyAppending, AChildIsCopiedIntoAChildrenCollectionMadeOnDemand) {
    PropertyOwner parent(NewRecord<DbProperty>());
    EXPECT_EQ(AddChildProperty(*parent, nullptr), 0);
    EXPECT_EQ(parent->children, nullptr);

    PropertyOwner child = TextProperty(L"Child", L"text");
    EXPECT_EQ(AddChildProperty(*parent, child.get()), 0);
    ASSERT_NE(parent->children, nullptr);
    EXPECT_EQ(parent->children->size, 16u);
    ASSERT_EQ(parent->children->count, 1u);
    EXPECT_NE(parent->children->items[0], child.get());
    EXPECT_STREQ(TextOf(parent->children->items[0]->value), L"text");
}

TEST(PropertyValues, StringValuesOnlyForStringProperties) {
    PropertyOwner memo(NewRecord<DbProperty>());
    memo->valueType = memoValue;
    EXPECT_EQ(SetStringValue(*memo, L"long text"), DbFailed);
    EXPECT_EQ(memo->value->kind, static_cast<uint32_t>(noValueKind));
    EXPECT_EQ(memo->value->valueType, static_cast<uint32_t>(noValueType));

    wchar_t text[] = L"copied";
    PropertyOwner string(NewRecord<DbProperty>());
    string->valueType = stringValue;
    EXPECT_EQ(SetStringValue(*string, text), DbSuccess);
    text[0] = L'X';
    EXPECT_EQ(string->value->valueType, static_cast<uint32_t>(stringValue));
    EXPECT_STREQ(TextOf(string->value), L"copied");
}

TEST(PropertyValues, ABufferIsTakenInThePropertysType) {
    PropertyOwner property(NewRecord<DbProperty>());
    property->valueType = int32uValue;
    uint32_t number = 1;
    EXPECT_EQ(SetValueFromBuffer(*property, &number, true), 0);
    number = 2;
    EXPECT_EQ(property->value->kind, static_cast<uint32_t>(discreteValueKind));
    EXPECT_EQ(property->value->valueType, static_cast<uint32_t>(int32uValue));
    EXPECT_EQ(*static_cast<const uint32_t*>(property->value->data), 1u);

    // A property that the engine built without a value gets one.
    DeleteValue(property->value);
    property->value = nullptr;
    auto* owned = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t)));
    *owned = 9;
    EXPECT_EQ(SetValueFromBuffer(*property, owned, false), 0);
    ASSERT_NE(property->value, nullptr);
    EXPECT_EQ(property->value->data, owned);
}

TEST(PropertyValues, AValueReadsAsText) {
    PropertyOwner property = TextProperty(L"Text", L"Sales.Provider");
    EXPECT_STREQ(GetValueAsString(*property).c_str(), L"Sales.Provider");

    property->valueType = int32uValue;
    uint32_t number = 42;
    SetValueFromBuffer(*property, &number, true);
    EXPECT_STREQ(GetValueAsString(*property).c_str(), L"42");

    ClearValue(*property->value);
    EXPECT_TRUE(GetValueAsString(*property).isEmpty());
    DeleteValue(property->value);
    property->value = nullptr;
    EXPECT_TRUE(GetValueAsString(*property).isEmpty());
}

class GroupMerge : public testing::Test {
protected:
    // Tab { PropInfo_Tab, PropInfo_TabProperties { Server = "alpha", Port = "42" } }
    void SetUp() override {
        PropertyOwner marker(NewRecord<DbProperty>());
        marker->name = DuplicateText(L"PropInfo_Tab");
        PropertyOwner server = TextProperty(L"Server", L"alpha");
        PropertyOwner port = TextProperty(L"Port", L"42");
        port->displayName = DuplicateText(L"Port number");
        port->description = DuplicateText(L"The server's port");
        port->flags = 3;
        PropertyOwner fields = Group(L"PropInfo_TabProperties", {server.get(), port.get()});
        PropertyOwner tab = Group(L"Connection", {marker.get(), fields.get()});
        AddProperty(source, tab.get());
    }

    DbPropertyCollection source;
};

TEST_F(GroupMerge, ExistingEntriesTakeTheValueAndNewOnesAreAppended) {
    DbPropertyCollection destination;
    AddText(destination, L"server", nullptr, L"old");

    MergeGroupedProperties(source, destination, L"PropInfo_TabProperties");

    ASSERT_EQ(destination.count, 2u);
    EXPECT_STREQ(destination.items[0]->name, L"server");
    EXPECT_STREQ(TextOf(destination.items[0]->value), L"alpha");
    const DbProperty& port = *destination.items[1];
    EXPECT_STREQ(port.name, L"Port");
    EXPECT_STREQ(port.displayName, L"Port number");
    EXPECT_STREQ(port.description, L"The server's port");
    EXPECT_EQ(port.valueType, static_cast<uint32_t>(stringValue));
    EXPECT_EQ(port.flags, 3u);
    EXPECT_STREQ(TextOf(port.value), L"42");
}

TEST_F(GroupMerge, WithoutTheGroupTheDestinationStaysAsItWas) {
    DbPropertyCollection destination;
    AddText(destination, L"Server", nullptr, L"old");

    MergeGroupedProperties(source, destination, L"OtherGroup");

    ASSERT_EQ(destination.count, 1u);
    EXPECT_STREQ(TextOf(destination.items[0]->value), L"old");
}

}  // namespace
