// The logging bridge against the real registry and the test logging libraries.

#include <gtest/gtest.h>

#include "support/driverDll.h"
#include "support/loggerRegistry.h"
#include "support/testLogger.h"

namespace {

using Records = std::vector<std::wstring>;

class LoggingProbe {
public:
    LoggingProbe() : module_(L"loggingProbe.dll") { EXPECT_TRUE(module_.IsLoaded()); }
    void SetUp(int32_t level = -1, intptr_t context = 0) {
        module_.Export<void (*)(int32_t, intptr_t)>("ProbeSetUpLogging")(level, context);
    }
    void ShutDown() { module_.Export<void (*)()>("ProbeShutDownLogging")(); }
    bool IsActive() { return module_.Export<bool (*)()>("ProbeIsLoggingActive")(); }
    bool IsLevelEnabled(int32_t level) { return module_.Export<bool (*)(int32_t)>("ProbeIsLoggingLevelEnabled")(level); }
    void Log(int32_t level) { module_.Export<void (*)(int32_t)>("ProbeLog")(level); }
    void Assert(int32_t value) { module_.Export<void (*)(int32_t)>("ProbeAssert")(value); }
    int32_t ReportComError(HRESULT result) {
        return module_.Export<int32_t (*)(HRESULT)>("ProbeReportComError")(result);
    }

private:
    FreshModule module_;
};

Records LogLinesAt(int32_t level) {
    std::wstring l = std::to_wstring(level);
    return {L"info|probe|7|" + l + L"|wide message", L"infoA|probe|8|" + l + L"|narrow message",
            L"binary|probe|9|" + l + L"|01ab", L"arglist|probe|10|" + l + L"|count=42"};
}

TEST(LoggingBridge, WithoutTheRegistryValueNothingIsLoggedOrAsserted) {
    LoggerRegistryValue noValue;
    TestLogger logger(L"full");
    logger.Configure(50, true);
    LoggingProbe probe;
    probe.SetUp();
    EXPECT_FALSE(probe.IsActive());
    EXPECT_FALSE(probe.IsLevelEnabled(0));
    probe.Log(0);
    probe.Assert(0);
    EXPECT_EQ(logger.Records(), Records());
}

TEST(LoggingBridge, ADirectoryWithoutTrailingBackslashFailsAndIsNotRetried) {
    std::wstring directory = TestLoggerDirectory(L"full");
    LoggerRegistryValue value(directory.substr(0, directory.size() - 1));
    TestLogger logger(L"full");
    logger.Configure(50, true);
    LoggingProbe probe;
    probe.SetUp();
    EXPECT_FALSE(probe.IsActive());

    LoggerRegistryValue repaired(directory);
    probe.SetUp();
    EXPECT_FALSE(probe.IsActive());
    probe.Log(0);
    EXPECT_EQ(logger.Records(), Records());
}

TEST(LoggingBridge, LevelsUpToTheLibrarysLevelCappedAt31AreWritten) {
    LoggerRegistryValue value(TestLoggerDirectory(L"full"));
    TestLogger logger(L"full");
    logger.Configure(50, false);
    LoggingProbe probe;
    probe.SetUp(-1, 0);
    ASSERT_TRUE(probe.IsActive());
    EXPECT_EQ(logger.Records(), Records{L"init|-1|0"});
    logger.Reset();

    probe.Log(31);
    probe.Log(32);
    EXPECT_EQ(logger.Records(), LogLinesAt(31));
    EXPECT_TRUE(probe.IsLevelEnabled(-3));
    EXPECT_FALSE(probe.IsLevelEnabled(32));
}

TEST(LoggingBridge, WithoutGetLoggingLevelOnlyLevelZeroAndBelowAreWritten) {
    LoggerRegistryValue value(TestLoggerDirectory(L"nolevel"));
    TestLogger logger(L"nolevel");
    LoggingProbe probe;
    probe.SetUp();
    ASSERT_TRUE(probe.IsActive());
    logger.Reset();
    probe.Log(0);
    probe.Log(1);
    EXPECT_EQ(logger.Records(), LogLinesAt(0));
}

TEST(LoggingBridge, ALibraryWithoutInitializeLoggerLeavesLoggingOff) {
    LoggerRegistryValue value(TestLoggerDirectory(L"noinit"));
    TestLogger logger(L"noinit");
    logger.Configure(50, true);
    LoggingProbe probe;
    probe.SetUp();
    EXPECT_FALSE(probe.IsActive());
    probe.Log(0);
    probe.Assert(0);
    EXPECT_EQ(logger.Records(), Records());
}

TEST(LoggingBridge, AssertionsAreReportedOnlyWhenTheLibraryEnablesThem) {
    LoggerRegistryValue value(TestLoggerDirectory(L"full"));
    TestLogger logger(L"full");
    {
        logger.Configure(0, false);
        LoggingProbe probe;
        probe.SetUp();
        ASSERT_TRUE(probe.IsActive());
        probe.Assert(0);
        EXPECT_EQ(logger.RecordsStartingWith(L"assert|"), Records());
    }
    {
        logger.Configure(0, true);
        LoggingProbe probe;
        probe.SetUp();
        probe.Assert(1);
        probe.Assert(0);
        Records asserts = logger.RecordsStartingWith(L"assert|");
        ASSERT_EQ(asserts.size(), 1u);
        EXPECT_EQ(asserts[0].substr(0, 20), L"assert|loggingProbe|");
        EXPECT_EQ(asserts[0].substr(asserts[0].rfind(L'|')), L"|value == 1");
    }
}

TEST(LoggingBridge, ShutDownSilencesTheLibraryAndALaterSetUpLoadsItAgain) {
    LoggerRegistryValue value(TestLoggerDirectory(L"full"));
    TestLogger logger(L"full");
    logger.Configure(5, true);
    LoggingProbe probe;
    probe.SetUp();
    probe.ShutDown();
    EXPECT_FALSE(probe.IsActive());
    probe.Log(0);
    probe.Assert(0);
    EXPECT_EQ(logger.Records(), Records{L"init|-1|0"});

    probe.SetUp(3, 77);
    EXPECT_TRUE(probe.IsActive());
    EXPECT_EQ(logger.Records(), (Records{L"init|-1|0", L"init|3|77"}));
}

TEST(LoggingBridge, FailedCallsAreLoggedAtLevelOne) {
    LoggerRegistryValue value(TestLoggerDirectory(L"full"));
    TestLogger logger(L"full");
    for (int32_t level : {0, 1}) {
        logger.Configure(level, false);
        logger.Reset();
        LoggingProbe probe;
        EXPECT_EQ(probe.ReportComError(0x800A0D5D), 600);
        Records logged = logger.RecordsStartingWith(L"info|");
        if (level == 0) {
            EXPECT_EQ(logged, Records());
            continue;
        }
        ASSERT_EQ(logged.size(), 1u);
        EXPECT_EQ(logged[0].substr(0, 15), L"info|adoCommon|");
        EXPECT_EQ(logged[0].substr(logged[0].find(L"|1|")), L"|1|ADO Error Code: 0x800a0d5d");
    }
}

TEST(LoggingBridge, TheDriverSetsUpLoggingOnceAndKeepsAFailureForItsModulesLife) {
    std::wstring directory = TestLoggerDirectory(L"full");
    TestLogger logger(L"full");
    {
        LoggerRegistryValue value(directory);
        DriverDll dll;
        auto initialize = dll.Export<DbInitializeFn>("DbInitialize");
        auto terminate = dll.Export<DbTerminateFn>("DbTerminate");
        initialize(nullptr, L"");
        initialize(nullptr, L"");
        EXPECT_EQ(logger.Records(), Records{L"init|-1|0"});
        terminate();
        terminate();
        initialize(nullptr, L"");
        EXPECT_EQ(logger.Records(), (Records{L"init|-1|0", L"init|-1|0"}));
        terminate();
    }
    logger.Reset();
    {
        LoggerRegistryValue noValue;
        DriverDll dll;
        auto initialize = dll.Export<DbInitializeFn>("DbInitialize");
        auto terminate = dll.Export<DbTerminateFn>("DbTerminate");
        initialize(nullptr, L"");
        terminate();
        LoggerRegistryValue value(directory);
        initialize(nullptr, L"");
        terminate();
        EXPECT_EQ(logger.Records(), Records());
    }
}

}  // namespace
