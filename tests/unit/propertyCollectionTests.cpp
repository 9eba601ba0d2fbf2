// Property collections: look-up, nesting, deep copies, appending, values, merging of grouped
// entries, and holes in the engine's collections survived and reported.

#include <gtest/gtest.h>


#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"

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

}  // namespace
