// Start, stop, capabilities and the database type name, through the exports.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "support/driverDll.h"

namespace {

constexpr uint32_t kUntouched = 0xA5A5A5A5;

struct CapabilityRow {
    int32_t id;
    int32_t result;
    uint32_t value;  // kUntouched: the cell must stay as it was
};

std::vector<CapabilityRow> ExpectedCapabilities() {
    std::vector<CapabilityRow> rows;
    for (int32_t id = -5; id <= 27; ++id) {
        bool answered = (id >= 1 && id <= 13) || id == 16 || id == 17 || id == 21 || id == 22 || id == 24 || id == 26;
        uint32_t value = !answered ? kUntouched : id == 21 ? 0x08000000u : id == 22 ? 1u : 0u;
        int32_t result = answered && id != 22 ? 0 : 100;
        rows.push_back({id, result, value});
    }
    return rows;
}

class LifecycleExports : public testing::Test {
protected:
    DriverDll dll;
    DbInitializeFn initialize = dll.Export<DbInitializeFn>("DbInitialize");
    DbTerminateFn terminate = dll.Export<DbTerminateFn>("DbTerminate");
    DbGetInfoFn getInfo = dll.Export<DbGetInfoFn>("DbGetInfo");
    DbFetchDatabaseTypeFn fetchDatabaseType = dll.Export<DbFetchDatabaseTypeFn>("DbFetchDatabaseType");
    DbFreeStringFn freeString = dll.Export<DbFreeStringFn>("DbFreeString");

    // The name, or the result code as text when the call fails.
    std::wstring DatabaseType(const wchar_t* language) {
        wchar_t* name = nullptr;
        int32_t result = fetchDatabaseType(language, &name);
        if (result != 0) return L"result " + std::to_wstring(result);
        std::wstring text = name;
        EXPECT_EQ(freeString(name), 0);
        return text;
    }
};

TEST_F(LifecycleExports, CapabilityTableForEveryIdentifier) {
    ASSERT_EQ(initialize(nullptr, L""), 0);
    for (const CapabilityRow& row : ExpectedCapabilities()) {
        uint32_t cell = kUntouched;
        EXPECT_EQ(getInfo(nullptr, row.id, &cell), row.result) << "id " << row.id;
        EXPECT_EQ(cell, row.value) << "id " << row.id;
    }
    EXPECT_EQ(terminate(), 0);
}

TEST_F(LifecycleExports, DatabaseTypeNameInEveryLanguage) {
    ASSERT_EQ(initialize(nullptr, L"en-US"), 0);
    for (const wchar_t* language : {L"", L"en-US", L"en-GB", L"de-DE", L"not-a-language"})
        EXPECT_EQ(DatabaseType(language), L"COM Connectivity") << testing::PrintToString(std::wstring(language));
    EXPECT_EQ(DatabaseType(nullptr), L"COM Connectivity");
    EXPECT_EQ(fetchDatabaseType(L"", nullptr), 12);
    EXPECT_EQ(terminate(), 0);
}

// Surplus stops come first: they must not leave a debt that the next start pays off.
TEST_F(LifecycleExports, UsersAreCountedAndTextsExistOnlyWhileOneIsIn) {
    EXPECT_EQ(freeString(nullptr), 0);
    wchar_t* sentinel = reinterpret_cast<wchar_t*>(0x1234);
    wchar_t* name = sentinel;
    EXPECT_EQ(fetchDatabaseType(L"", &name), 11);
    EXPECT_EQ(name, sentinel);
    EXPECT_EQ(terminate(), 0);
    EXPECT_EQ(terminate(), 0);
    ASSERT_EQ(initialize(nullptr, L""), 0);
    ASSERT_EQ(initialize(nullptr, L"de-DE"), 0);
    ASSERT_EQ(terminate(), 0);
    EXPECT_EQ(DatabaseType(L""), L"COM Connectivity");
    ASSERT_EQ(terminate(), 0);
    EXPECT_EQ(DatabaseType(L""), L"result 11");
}

TEST_F(LifecycleExports, ConcurrentStartsAndStopsStayBalanced) {
    ASSERT_EQ(initialize(nullptr, L""), 0);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 300; ++i) {
                if (initialize(nullptr, L"en-US") != 0) ++failures;
                wchar_t* name = nullptr;
                // Every thread holds a user here, so the strings must be there.
                if (fetchDatabaseType(L"", &name) != 0) ++failures;
                freeString(name);
                if (terminate() != 0) ++failures;
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(DatabaseType(L""), L"COM Connectivity");
    ASSERT_EQ(terminate(), 0);
    EXPECT_EQ(DatabaseType(L""), L"result 11");
}

}  // namespace
