// The logon and table information records: their defaults, and release of what they own.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/dbLogonInfo.h"
#include "common/dbTableInfo.h"
#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/propcoll.h"

namespace {

// Committed private memory of the process. Every block these tests hand to a record is large
// enough to be mapped on its own, so a block that is not freed stays counted (the heap walk
// does not see malloc's blocks under Wine).
size_t CommittedPrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr; VirtualQuery(address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    return total;
}

constexpr size_t kLargeBlockBytes = 1 << 20;  // each block below takes at least this much
const std::wstring kLargeText(kLargeBlockBytes / sizeof(wchar_t), L'x');

wchar_t* LargeText() { return DuplicateText(kLargeText.c_str()); }

// An array of count entries, null but for large texts in the first and last.
wchar_t** LargeTextArray(uint32_t count) {
    auto** array = static_cast<wchar_t**>(std::calloc(count, sizeof(wchar_t*)));
    array[0] = LargeText();
    array[count - 1] = LargeText();
    return array;
}

void ExpectEmptyCollection(const DbPropertyCollection* collection) {
    ASSERT_NE(collection, nullptr);
    EXPECT_EQ(collection->size, 16u);
    EXPECT_EQ(collection->count, 0u);
    EXPECT_EQ(collection->items, nullptr);
}

TEST(LogonInfoRecord, ANewRecordHoldsAnEmptyCollectionAndOwnsItsText) {
    DbLogonInfo* record = NewLogonInfo();
    ExpectEmptyCollection(record->properties);
    EXPECT_EQ(record->text, nullptr);
    EXPECT_EQ(record->value, nullptr);
    EXPECT_EQ(record->reserved, 0u);
    EXPECT_EQ(record->size, 40u);
    EXPECT_EQ(record->ownsText, 1);
    DeleteLogonInfo(record);
    DeleteLogonInfo(nullptr);
}

TEST(LogonInfoRecord, ReleaseFreesTheCollectionTheOwnedTextAndTheValue) {
    const size_t before = CommittedPrivateBytes();
    DbLogonInfo* record = NewLogonInfo();
    DbValue text(stringValue);
    SetDiscreteValue(text, stringValue, const_cast<wchar_t*>(kLargeText.c_str()), true);
    AddNewProperty(*record->properties, L"Program ID", nullptr, nullptr, stringValue, 0, &text);
    record->text = LargeText();
    record->value = NewValue(stringValue);
    AssignValue(*record->value, &text);
    ClearValue(text);
    ASSERT_GE(CommittedPrivateBytes(), before + 3 * kLargeBlockBytes);
    DeleteLogonInfo(record);
    EXPECT_LT(CommittedPrivateBytes(), before + kLargeBlockBytes);
}

TEST(TableInfoRecord, ANewRecordHasItsDefaults) {
    DbTableInfo* record = NewTableInfo();
    for (wchar_t* text : {record->firstText, record->secondText, record->thirdText, record->fourthText,
                          record->fifthText, record->sixthText, record->ownedText})
        EXPECT_EQ(text, nullptr);
    EXPECT_EQ(record->textArray, nullptr);
    EXPECT_EQ(record->parallelTextArray, nullptr);
    ExpectEmptyCollection(record->properties);
    EXPECT_EQ(record->field80, 0u);
    EXPECT_EQ(record->size, 112u);
    EXPECT_EQ(record->field88, 0u);
    EXPECT_EQ(record->entryCount, 0u);
    EXPECT_EQ(record->kind, 1u);
    EXPECT_EQ(record->field100, 0);
    EXPECT_EQ(record->field102, 0);
    EXPECT_EQ(record->field104, 0);
    EXPECT_EQ(record->ownsText, 1);
    EXPECT_EQ(record->field108, 0u);
    DeleteTableInfo(record);
    DeleteTableInfo(nullptr);
}

TEST(TableInfoRecord, ReleaseFreesEveryTextBothArraysAndTheCollection) {
    // Arrays of this many entries are large blocks themselves.
    constexpr uint32_t kEntries = kLargeBlockBytes / sizeof(wchar_t*);
    for (bool withParallelArray : {true, false}) {
        const size_t before = CommittedPrivateBytes();
        DbTableInfo* record = NewTableInfo();
        for (wchar_t** text : {&record->firstText, &record->secondText, &record->thirdText, &record->fourthText,
                               &record->fifthText, &record->sixthText, &record->ownedText})
            *text = LargeText();
        record->entryCount = kEntries;
        record->textArray = LargeTextArray(kEntries);
        record->parallelTextArray = withParallelArray ? LargeTextArray(kEntries) : nullptr;
        DbValue text(stringValue);
        SetDiscreteValue(text, stringValue, const_cast<wchar_t*>(kLargeText.c_str()), true);
        AddNewProperty(*record->properties, L"Key", nullptr, nullptr, stringValue, 0, &text);
        ClearValue(text);
        ASSERT_GE(CommittedPrivateBytes(), before + 11 * kLargeBlockBytes);
        DeleteTableInfo(record);
        EXPECT_LT(CommittedPrivateBytes(), before + kLargeBlockBytes) << "parallel array " << withParallelArray;
    }
}

TEST(BoundaryRecords, ATextThatIsNotOwnedIsLeftAlone) {
    static wchar_t engineText[] = L"kept by the engine";
    DbLogonInfo* logonInfo = NewLogonInfo();
    logonInfo->text = engineText;
    logonInfo->ownsText = 0;
    DeleteLogonInfo(logonInfo);
    DbTableInfo* tableInfo = NewTableInfo();
    tableInfo->ownedText = engineText;
    tableInfo->ownsText = 0;
    DeleteTableInfo(tableInfo);
    EXPECT_STREQ(engineText, L"kept by the engine");
}

}  // namespace
