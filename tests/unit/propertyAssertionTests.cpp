// Holes in the engine's collections and misuse of property records are reported under the
// property sources' names, and survived.

#include <gtest/gtest.h>

#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"
#include "reportedAssertions.h"

namespace {

using Reports = std::vector<std::wstring>;

TEST(PropertyAssertions, HolesAndMisuseAreReportedAndSurvived) {
    ReportedAssertions reports;

    DbPropertyCollection collection;
    AddNewProperty(collection, L"Lost", nullptr, nullptr, stringValue, 0, nullptr);
    AddNewProperty(collection, L"Kept", nullptr, nullptr, stringValue, 0, nullptr);
    DeleteRecord(collection.items[0]);
    collection.items[0] = nullptr;
    EXPECT_EQ(FindPropertyIndex(&collection, L"Kept"), 1);
    EXPECT_EQ(reports.Take(), Reports{L"propcoll|prop != NULL"});

    DbPropertyCollection all;
    AddAllProperties(all, collection);
    ASSERT_EQ(all.count, 1u);
    EXPECT_STREQ(all.items[0]->name, L"Kept");
    DbPropertyCollection copy(collection);
    ASSERT_EQ(copy.count, 2u);
    EXPECT_EQ(copy.items[0], nullptr);
    EXPECT_EQ(reports.Take(), (Reports{L"propcoll|prop != NULL", L"propcoll|prop != NULL"}));

    PropertyOwner group(NewRecord<DbProperty>());
    group->name = DuplicateText(L"Group");
    group->children = NewRecord<DbPropertyCollection>(collection);
    PropertyOwner tab(NewRecord<DbProperty>());
    AddChildProperty(*tab, group.get());
    DbPropertyCollection source;
    AddProperty(source, tab.get());
    reports.Take();
    DbPropertyCollection merged;
    MergeGroupedProperties(source, merged, L"Group");
    ASSERT_EQ(merged.count, 1u);
    EXPECT_STREQ(merged.items[0]->name, L"Kept");
    EXPECT_EQ(reports.Take(), Reports{L"propcoll|property != NULL"});

    PropertyOwner memo(NewRecord<DbProperty>());
    memo->valueType = memoValue;
    EXPECT_EQ(SetStringValue(*memo, L"text"), 11);
    EXPECT_EQ(reports.Take(), Reports{L"dbproperty|false"});

    PropertyOwner bare(NewRecord<DbProperty>());
    DeleteValue(bare->value);
    bare->value = nullptr;
    PropertyOwner bareCopy(NewRecord<DbProperty>(*bare));
    EXPECT_NE(bareCopy->value, nullptr);
    EXPECT_EQ(reports.Take(), Reports{L"dbproperty|value != NULL"});
    bare->valueType = stringValue;
    EXPECT_EQ(SetStringValue(*bare, L"text"), 0);
    EXPECT_EQ(reports.Take(), Reports{L"dbproperty|FALSE"});
}

}  // namespace
