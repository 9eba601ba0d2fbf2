// The logon and table information records release everything they own and nothing they do not.

#include <gtest/gtest.h>

#include <cstdlib>

#include "ado/errorInfo.h"
#include "common/dbLogonInfo.h"
#include "common/dbTableInfo.h"
#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/propcoll.h"
#include "support/liveAllocations.h"

namespace {

wchar_t** Texts(uint32_t count) {
    auto** array = static_cast<wchar_t**>(std::calloc(count, sizeof(wchar_t*)));
    array[0] = DuplicateText(L"first");
    array[count - 1] = DuplicateText(L"last");
    return array;
}

TEST(BoundaryRecords, ReleaseFreesWhatTheRecordsOwnAndLeavesTheEnginesTexts) {
    static wchar_t engineText[] = L"kept by the engine";
    const DbValue text = [] {
        DbValue value(stringValue);
        SetDiscreteValue(value, stringValue, const_cast<wchar_t*>(L"value"), true);
        return value;
    }();
    EXPECT_EQ(LeftAllocated([&] {
                  DbLogonInfo* logon = NewLogonInfo();
                  AddNewProperty(*logon->properties, L"Program ID", nullptr, nullptr, stringValue, 0, &text);
                  logon->text = DuplicateText(L"owned");
                  logon->value = NewValue(stringValue);
                  AssignValue(*logon->value, &text);
                  DeleteLogonInfo(logon);
                  DbLogonInfo* borrowing = NewLogonInfo();
                  borrowing->text = engineText;
                  borrowing->ownsText = 0;
                  DeleteLogonInfo(borrowing);
              }),
              LiveAllocations{});
    for (bool withParallelArray : {true, false}) {
        EXPECT_EQ(LeftAllocated([&] {
                      DbTableInfo* table = NewTableInfo();
                      for (wchar_t** owned : {&table->firstText, &table->secondText, &table->thirdText,
                                              &table->fourthText, &table->fifthText, &table->sixthText,
                                              &table->ownedText})
                          *owned = DuplicateText(L"owned");
                      table->entryCount = 3;
                      table->textArray = Texts(3);
                      table->parallelTextArray = withParallelArray ? Texts(3) : nullptr;
                      AddNewProperty(*table->properties, L"Key", nullptr, nullptr, stringValue, 0, &text);
                      DeleteTableInfo(table);
                      DbTableInfo* borrowing = NewTableInfo();
                      borrowing->ownedText = engineText;
                      borrowing->ownsText = 0;
                      DeleteTableInfo(borrowing);
                  }),
                  LiveAllocations{})
            << "parallel array " << withParallelArray;
    }
    EXPECT_EQ(LeftAllocated([] {
                  DbErrorInfo* errors = nullptr;
                  for (const wchar_t* record : {L"one", L"two", static_cast<const wchar_t*>(nullptr)})
                      AddErrorInfo(&errors, 11, record);
                  FreeErrorInfoChain(errors);
              }),
              LiveAllocations{});
    EXPECT_STREQ(engineText, L"kept by the engine");
}

}  // namespace
