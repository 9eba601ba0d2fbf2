// DbFreeErrorInfo as the engine calls it, on chains allocated like the driver's own: records and
// texts on the C run-time heap that the driver shares with its host. Wine's heap keeps freed
// small blocks marked in use for a while, so a heap walk cannot show the release; what can be
// checked is that every record and text is freed without a fault and 0 comes back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>

#include "ado/errorInfo.h"
#include "support/driverDll.h"

namespace {

using DbFreeErrorInfoFn = int32_t (*)(DbErrorInfo*);

void Push(DbErrorInfo*& head, uint32_t code, const wchar_t* text) {
    auto* record = static_cast<DbErrorInfo*>(std::malloc(sizeof(DbErrorInfo)));
    wchar_t* copy = nullptr;
    if (text) {
        copy = static_cast<wchar_t*>(std::malloc((std::wcslen(text) + 1) * sizeof(wchar_t)));
        std::wcscpy(copy, text);
    }
    *record = DbErrorInfo{head, code, copy, 0};
    head = record;
}

class ErrorInfoExport : public testing::Test {
protected:
    DriverDll dll;
    DbFreeErrorInfoFn freeErrorInfo = dll.Export<DbFreeErrorInfoFn>("DbFreeErrorInfo");
};

TEST_F(ErrorInfoExport, NullReturnsZero) { EXPECT_EQ(freeErrorInfo(nullptr), 0); }

TEST_F(ErrorInfoExport, ReleasesAChainOfThreeWithAndWithoutTexts) {
    DbErrorInfo* head = nullptr;
    Push(head, 501, L"ADO Error Code: 0x80004005");
    Push(head, 303, nullptr);
    Push(head, 600, L"ADO Error Code: 0x800a0d5d\nSource: S");
    EXPECT_EQ(freeErrorInfo(head), 0);
}

TEST_F(ErrorInfoExport, ReleasesALongChainWithoutExhaustingTheStack) {
    DbErrorInfo* head = nullptr;
    for (int i = 0; i < 200000; ++i) Push(head, 11, i % 2 ? L"text" : nullptr);
    EXPECT_EQ(freeErrorInfo(head), 0);
}

}  // namespace
