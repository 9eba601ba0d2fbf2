// Property collections: look-up, nesting, deep copies, appending, values, merging of grouped
// entries, and holes in the engine's collections survived and reported.

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/resultCodes.h"
#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"
#include "reportedAssertions.h"

namespace {

using Reports = std::vector<std::wstring>;

const wchar_t* TextOf(const DbValue* value) {
    return value && value->kind == discreteValueKind ? static_cast<const wchar_t*>(value->data) : nullptr;
}

// A string property when text is given, else a property without value; children are copied.
PropertyOwner Prop(const wchar_t* name, const wchar_t* text, std::initializer_list<const DbProperty*> children = {}) {
    PropertyOwner property(NewRecord<DbProperty>());
    property->name = DuplicateText(name);
    property->valueType = text ? stringValue : noValueType;
    if (text) SetStringValue(*property, text);
    for (const DbProperty* child : children) AddChildProperty(*property, child);
    return property;
}

TEST(PropertyLookup, NamesBeforeDisplayNamesWithoutRegardToCaseAndNestedWithTheHoldingIndex) {
    PropertyOwner first = Prop(L"First", L"1"), deep = Prop(L"Deep", L"found");
    PropertyOwner inner = Prop(L"Inner", nullptr, {first.get(), deep.get()});
    PropertyOwner outer = Prop(L"Outer", nullptr, {inner.get()});
    DbPropertyCollection collection;
    AddNewProperty(collection, L"Label", L"Server", nullptr, stringValue, 0, nullptr);
    AddNewProperty(collection, L"Server", L"Host", nullptr, stringValue, 0, nullptr);
    AddProperty(collection, outer.get());
    const std::pair<const wchar_t*, int32_t> cases[] = {{L"Server", 1}, {L"SERVER", 1}, {L"label", 0}, {L"host", 1},
                                                        {L"Hos", -1},   {L"", -1},      {nullptr, -1}};
    for (const auto& [key, index] : cases) EXPECT_EQ(FindPropertyIndex(&collection, key), index) << key;
    EXPECT_EQ(FindPropertyIndex(nullptr, L"Server"), -1);

    int32_t index = 7;
    EXPECT_EQ(FindProperty(&collection, L"deep", false, &index),
              collection.items[2]->children->items[0]->children->items[1]);
    EXPECT_EQ(index, 1);
    index = 7;
    EXPECT_EQ(FindProperty(&collection, L"Deep", true, &index), nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(FindProperty(&collection, L"Outer", true, nullptr), collection.items[2]);
}

TEST(PropertyCopies, CopiesOwnEverythingOutliveTheirSourceAndAreWhatIsAppended) {
    PropertyOwner child = Prop(L"Child", L"child text");
    PropertyOwner source = Prop(L"Parent", L"parent text", {child.get()});
    source->displayName = DuplicateText(L"Parent label");
    source->description = DuplicateText(L"Parent prompt");
    source->flags = 0x55;
    PropertyOwner copy(NewRecord<DbProperty>(*source));
    PropertyCollectionOwner sourceCollection(NewRecord<DbPropertyCollection>());
    AddProperty(*sourceCollection, source.get());
    DbPropertyCollection collectionCopy(*sourceCollection);

    ASSERT_EQ(SetStringValue(*source, L"changed"), DbSuccess);
    source->name[0] = sourceCollection->items[0]->name[0] = L'X';
    source.reset();
    sourceCollection.reset();
    for (DbProperty* property : {copy.get(), collectionCopy.items[0]}) {
        EXPECT_STREQ(property->name, L"Parent");
        EXPECT_STREQ(property->displayName, L"Parent label");
        EXPECT_STREQ(property->description, L"Parent prompt");
        EXPECT_EQ(property->valueType, static_cast<uint32_t>(stringValue));
        EXPECT_EQ(property->flags, 0x55u);
        EXPECT_STREQ(TextOf(property->value), L"parent text");
        ASSERT_EQ(property->children->count, 1u);
        EXPECT_STREQ(TextOf(property->children->items[0]->value), L"child text");
    }
    EXPECT_NE(copy->children->items[0], collectionCopy.items[0]->children->items[0]);

    // Appending copies too: the same property twice gives two entries; null is refused.
    EXPECT_TRUE(AddProperty(collectionCopy, copy.get()));
    EXPECT_TRUE(AddProperty(collectionCopy, copy.get()));
    EXPECT_FALSE(AddProperty(collectionCopy, nullptr));
    ASSERT_EQ(collectionCopy.count, 3u);
    EXPECT_NE(collectionCopy.items[1], collectionCopy.items[2]);
    EXPECT_NE(collectionCopy.items[1], copy.get());
    EXPECT_EQ(AddChildProperty(*copy, nullptr), 0);
    EXPECT_EQ(copy->children->count, 1u);
}

TEST(PropertyValues, StringsOnlyForStringPropertiesAndBuffersInThePropertysType) {
    PropertyOwner memo = Prop(L"Memo", nullptr);
    memo->valueType = memoValue;
    EXPECT_EQ(SetStringValue(*memo, L"long text"), 11);
    EXPECT_EQ(memo->value->kind, static_cast<uint32_t>(noValueKind));

    wchar_t text[] = L"copied";
    PropertyOwner property = Prop(L"Text", text);
    text[0] = L'X';
    EXPECT_STREQ(GetValueAsString(*property).c_str(), L"copied");

    property->valueType = int32uValue;
    uint32_t number = 42;
    EXPECT_EQ(SetValueFromBuffer(*property, &number, true), 0);
    number = 2;
    EXPECT_STREQ(GetValueAsString(*property).c_str(), L"42");

    // A property that the engine built without a value gets one, taking the buffer.
    DeleteValue(property->value);
    property->value = nullptr;
    auto* owned = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t)));
    EXPECT_EQ(SetValueFromBuffer(*property, owned, false), 0);
    ASSERT_NE(property->value, nullptr);
    EXPECT_EQ(property->value->data, owned);
}

TEST(GroupMerge, ExistingEntriesTakeTheValueAndNewOnesAreAppended) {
    // Connection { PropInfo_Tab, PropInfo_TabProperties { Server = "alpha", Port = "42" } }
    PropertyOwner marker = Prop(L"PropInfo_Tab", nullptr), server = Prop(L"Server", L"alpha");
    PropertyOwner port = Prop(L"Port", L"42");
    port->displayName = DuplicateText(L"Port number");
    PropertyOwner fields = Prop(L"PropInfo_TabProperties", nullptr, {server.get(), port.get()});
    PropertyOwner tab = Prop(L"Connection", nullptr, {marker.get(), fields.get()});
    DbPropertyCollection source;
    AddProperty(source, tab.get());

    DbPropertyCollection destination, untouched;
    AddNewProperty(destination, L"server", nullptr, nullptr, stringValue, 0, nullptr);
    AddNewProperty(untouched, L"Server", nullptr, nullptr, stringValue, 0, nullptr);
    MergeGroupedProperties(source, destination, L"PropInfo_TabProperties");
    MergeGroupedProperties(source, untouched, L"OtherGroup");

    ASSERT_EQ(destination.count, 2u);
    EXPECT_STREQ(destination.items[0]->name, L"server");
    EXPECT_STREQ(TextOf(destination.items[0]->value), L"alpha");
    const DbProperty& added = *destination.items[1];
    EXPECT_STREQ(added.name, L"Port");
    EXPECT_STREQ(added.displayName, L"Port number");
    EXPECT_STREQ(TextOf(added.value), L"42");
    ASSERT_EQ(untouched.count, 1u);
    EXPECT_EQ(TextOf(untouched.items[0]->value), nullptr);
}

TEST(PropertyAssertions, HolesAndMisuseAreReportedAndSurvived) {
    ReportedAssertions reports;
    DbPropertyCollection collection;
    AddNewProperty(collection, L"Lost", nullptr, nullptr, stringValue, 0, nullptr);
    AddNewProperty(collection, L"Kept", nullptr, nullptr, stringValue, 0, nullptr);
    DeleteRecord(collection.items[0]);
    collection.items[0] = nullptr;
    EXPECT_EQ(FindPropertyIndex(&collection, L"Kept"), 1);
    DbPropertyCollection all;
    EXPECT_EQ(AddAllProperties(all, collection), 0);
    ASSERT_EQ(all.count, 1u);
    EXPECT_STREQ(all.items[0]->name, L"Kept");
    DbPropertyCollection copy(collection);
    ASSERT_EQ(copy.count, 2u);
    EXPECT_EQ(copy.items[0], nullptr);
    EXPECT_EQ(reports.Take(), Reports(3, L"propcoll|prop != NULL"));

    PropertyOwner group = Prop(L"Group", nullptr);
    group->children = NewRecord<DbPropertyCollection>(collection);
    PropertyOwner tab = Prop(L"Tab", nullptr, {group.get()});
    DbPropertyCollection source, merged;
    AddProperty(source, tab.get());
    reports.Take();
    MergeGroupedProperties(source, merged, L"Group");
    ASSERT_EQ(merged.count, 1u);
    EXPECT_STREQ(merged.items[0]->name, L"Kept");
    EXPECT_EQ(reports.Take(), Reports{L"propcoll|property != NULL"});

    PropertyOwner bare = Prop(L"Bare", nullptr);
    DeleteValue(bare->value);
    bare->value = nullptr;
    EXPECT_NE(PropertyOwner(NewRecord<DbProperty>(*bare))->value, nullptr);
    EXPECT_EQ(reports.Take(), Reports{L"dbproperty|value != NULL"});
    bare->valueType = stringValue;
    EXPECT_EQ(SetStringValue(*bare, L"text"), 0);
    EXPECT_EQ(reports.Take(), Reports{L"dbproperty|FALSE"});
}

}  // namespace
