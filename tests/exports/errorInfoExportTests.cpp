// DbFreeErrorInfo as the engine calls it, on chains allocated like the driver's own (records and
// texts on the C run-time heap it shares with its host). Wine's heap keeps freed small blocks
// marked in use for a while, so what can be checked is that every release is without fault.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <new>

#include "ado/errorInfo.h"
#include "support/driverDll.h"

namespace {

void Push(DbErrorInfo*& head, uint32_t code, const wchar_t* text) {
    wchar_t* copy = text ? static_cast<wchar_t*>(std::malloc((std::wcslen(text) + 1) * sizeof(wchar_t))) : nullptr;
    if (copy) std::wcscpy(copy, text);
    head = new (std::malloc(sizeof(DbErrorInfo))) DbErrorInfo{head, code, copy, 0};
}

TEST(ErrorInfoExport, ReleasesNothingAChainOfThreeAndALongChain) {
    DriverDll dll;
    const auto freeErrorInfo = dll.Export<int32_t (*)(DbErrorInfo*)>("DbFreeErrorInfo");
    EXPECT_EQ(freeErrorInfo(nullptr), 0);

    DbErrorInfo* head = nullptr;
    Push(head, 501, L"ADO Error Code: 0x80004005");
    Push(head, 303, nullptr);
    Push(head, 600, L"ADO Error Code: 0x800a0d5d\nSource: S");
    EXPECT_EQ(freeErrorInfo(head), 0);

    // Long enough to exhaust the stack of a recursive release.
    head = nullptr;
    for (int i = 0; i < 200000; ++i) Push(head, 11, i % 2 ? L"text" : nullptr);
    EXPECT_EQ(freeErrorInfo(head), 0);
}

}  // namespace
