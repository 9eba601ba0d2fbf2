// Start and stop through the exports: users are counted, and the texts exist while one is in.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "support/driverDll.h"

namespace {

class LifecycleExports : public testing::Test {
protected:
    DriverDll dll;
    DbInitializeFn initialize = dll.Export<DbInitializeFn>("DbInitialize");
    DbTerminateFn terminate = dll.Export<DbTerminateFn>("DbTerminate");
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
