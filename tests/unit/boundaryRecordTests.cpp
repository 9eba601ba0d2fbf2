// The logon and table information records: their defaults, and release of what they own.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "ado/errorInfo.h"
#include "common/dbLogonInfo.h"
#include "common/dbTableInfo.h"
#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/propcoll.h"

namespace {

// Committed private memory of the process. Every block handed to a record below is large enough
// to be mapped on its own, so a block left unfreed stays counted (Wine's heap walk misses malloc's).
size_t CommittedPrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr; VirtualQuery(address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    return total;
}

constexpr size_t kLargeBlockBytes = 1 << 20;
constexpr uint32_t kEntries = kLargeBlockBytes / sizeof(wchar_t*);  // an array this long is a large block
const std::wstring kLargeText(kLargeBlockBytes / sizeof(wchar_t), L'x');

wchar_t* LargeText() { return DuplicateText(kLargeText.c_str()); }

// kEntries texts, null but for large ones at both ends.
wchar_t** LargeTextArray() {
    auto** array = static_cast<wchar_t**>(std::calloc(kEntries, sizeof(wchar_t*)));
    array[0] = LargeText();
    array[kEntries - 1] = LargeText();
    return array;
}

bool IsEmptyCollection(const DbPropertyCollection* collection) {
    return collection && collection->size == 16 && collection->count == 0 && !collection->items;
}

TEST(BoundaryRecords, NewRecordsHaveTheirDefaultsAndLeaveTextsTheyDoNotOwnAlone) {
    static wchar_t engineText[] = L"kept by the engine";
    DbLogonInfo* logon = NewLogonInfo();
    EXPECT_TRUE(IsEmptyCollection(logon->properties));
    EXPECT_EQ(logon->text, nullptr);
    EXPECT_EQ(logon->value, nullptr);
    EXPECT_EQ(std::make_tuple(logon->reserved, logon->size, logon->ownsText), std::make_tuple(0u, 40u, uint16_t{1}));
    logon->text = engineText;
    logon->ownsText = 0;
    DeleteLogonInfo(logon);
    DeleteLogonInfo(nullptr);

    DbTableInfo* table = NewTableInfo();
    for (const void* pointer : std::initializer_list<const void*>{
             table->firstText, table->secondText, table->thirdText, table->fourthText, table->fifthText,
             table->sixthText, table->ownedText, table->textArray, table->parallelTextArray})
        EXPECT_EQ(pointer, nullptr);
    EXPECT_TRUE(IsEmptyCollection(table->properties));
    EXPECT_EQ(std::make_tuple(table->field80, table->size, table->field88, table->entryCount, table->kind,
                              table->field108),
              std::make_tuple(0u, 112u, 0u, 0u, 1u, 0u));
    EXPECT_EQ(std::make_tuple(table->field100, table->field102, table->field104, table->ownsText),
              std::make_tuple(uint16_t{0}, uint16_t{0}, uint16_t{0}, uint16_t{1}));
    table->ownedText = engineText;
    table->ownsText = 0;
    DeleteTableInfo(table);
    DeleteTableInfo(nullptr);
    EXPECT_STREQ(engineText, L"kept by the engine");
}

TEST(BoundaryRecords, ReleaseFreesEverythingTheRecordsOwn) {
    size_t before = CommittedPrivateBytes();
    DbLogonInfo* logon = NewLogonInfo();
    DbValue text(stringValue);
    SetDiscreteValue(text, stringValue, const_cast<wchar_t*>(kLargeText.c_str()), true);
    AddNewProperty(*logon->properties, L"Program ID", nullptr, nullptr, stringValue, 0, &text);
    ClearValue(text);
    logon->text = LargeText();
    logon->value = NewValue(stringValue);
    SetDiscreteValue(*logon->value, stringValue, const_cast<wchar_t*>(kLargeText.c_str()), true);
    ASSERT_GE(CommittedPrivateBytes(), before + 3 * kLargeBlockBytes);
    DeleteLogonInfo(logon);
    EXPECT_LT(CommittedPrivateBytes(), before + kLargeBlockBytes);

    for (bool withParallelArray : {true, false}) {
        before = CommittedPrivateBytes();
        DbTableInfo* table = NewTableInfo();
        for (wchar_t** owned : {&table->firstText, &table->secondText, &table->thirdText, &table->fourthText,
                                &table->fifthText, &table->sixthText, &table->ownedText})
            *owned = LargeText();
        table->entryCount = kEntries;
        table->textArray = LargeTextArray();
        table->parallelTextArray = withParallelArray ? LargeTextArray() : nullptr;
        SetDiscreteValue(text, stringValue, const_cast<wchar_t*>(kLargeText.c_str()), true);
        AddNewProperty(*table->properties, L"Key", nullptr, nullptr, stringValue, 0, &text);
        ClearValue(text);
        ASSERT_GE(CommittedPrivateBytes(), before + 11 * kLargeBlockBytes);
        DeleteTableInfo(table);
        EXPECT_LT(CommittedPrivateBytes(), before + kLargeBlockBytes) << "parallel array " << withParallelArray;
    }

    before = CommittedPrivateBytes();
    DbErrorInfo* errors = nullptr;
    for (int i = 0; i < 3; ++i) AddErrorInfo(&errors, 11, kLargeText.c_str());
    AddErrorInfo(&errors, 12, nullptr);
    ASSERT_GE(CommittedPrivateBytes(), before + 3 * kLargeBlockBytes);
    FreeErrorInfoChain(errors);
    EXPECT_LT(CommittedPrivateBytes(), before + kLargeBlockBytes) << "error list";
}

}  // namespace
