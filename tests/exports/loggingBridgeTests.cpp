// The logging bridge against the real registry and the test logging libraries.

#include <gtest/gtest.h>

#include "support/driverDll.h"
#include "support/loggerRegistry.h"
#include "support/registryValue.h"
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
    void Log(int32_t level) { module_.Export<void (*)(int32_t)>("ProbeLog")(level); }
    void Assert(int32_t value) { module_.Export<void (*)(int32_t)>("ProbeAssert")(value); }
    int32_t ReportComError(HRESULT result) {
        return module_.Export<int32_t (*)(HRESULT)>("ProbeReportComError")(result);
    }

private:
    FreshModule module_;
};

// What ProbeLog writes through each of the four wrappers at one level.
Records LogLinesAt(int32_t level) {
    std::wstring l = std::to_wstring(level);
    return {L"info|probe|7|" + l + L"|wide message", L"infoA|probe|8|" + l + L"|narrow message",
            L"binary|probe|9|" + l + L"|01ab", L"arglist|probe|10|" + l + L"|count=42"};
}

struct SetUpCase {
    const char* label;
    const wchar_t* variant;
    bool trailingBackslash;  // of the registered directory
    bool registered;
    int32_t libraryLevel;
    int32_t highestWritten;  // -1: nothing is written
    // Registered instead of the variant's directory; an empty one with a copy of the library
    // planted beside the program, where the search path would find it.
    const wchar_t* registeredAs = nullptr;
};

const SetUpCase kSetUpCases[] = {
    {"no registry value", L"full", true, false, 50, -1},
    {"directory without trailing backslash", L"full", false, true, 50, -1},
    {"library without InitializeLogger", L"noinit", true, true, 50, -1},
    {"level 50 is capped at 31", L"full", true, true, 50, 31},
    {"level 3", L"full", true, true, 3, 3},
    {"library without GetLoggingLevel", L"nolevel", true, true, 50, 0},
    {"relative directory", L"full", true, true, 50, -1, L"loggers\\full\\"},
    {"empty directory", L"full", true, true, 50, -1, L""},
};

TEST(LoggingBridge, SetUpStatesDecideWhichLevelsAreWritten) {
    for (const SetUpCase& row : kSetUpCases) {
        SCOPED_TRACE(row.label);
        std::wstring directory = row.registeredAs ? row.registeredAs : TestLoggerDirectory(row.variant);
        if (!row.trailingBackslash) directory.pop_back();
        const std::wstring planted = TestBinaryDirectory() + L"zelogger.dll";
        if (row.registeredAs && directory.empty()) {
            ASSERT_TRUE(CopyFileW((TestLoggerDirectory(row.variant) + L"zelogger.dll").c_str(), planted.c_str(), FALSE));
        }
        auto value = row.registered ? std::make_unique<LoggerRegistryValue>(directory)
                                    : std::make_unique<LoggerRegistryValue>();
        TestLogger logger(row.variant);
        logger.Configure(row.libraryLevel, true);
        LoggingProbe probe;
        probe.SetUp(-1, 0);
        EXPECT_EQ(probe.IsActive(), row.highestWritten >= 0);
        Records expected;
        if (row.highestWritten >= 0) expected.push_back(L"init|-1|0");
        for (int32_t level : {row.highestWritten, row.highestWritten + 1}) probe.Log(level);
        if (row.highestWritten >= 0) {
            Records written = LogLinesAt(row.highestWritten);
            expected.insert(expected.end(), written.begin(), written.end());
        }
        EXPECT_EQ(logger.Records(), expected);
        DeleteFileW(planted.c_str());
    }
}

// Assertions reach the library only when it enables them; after a shut-down nothing does, until
// a later set-up loads it again.
TEST(LoggingBridge, AssertionsWhenEnabledAndSilenceFromShutDownToTheNextSetUp) {
    LoggerRegistryValue value(TestLoggerDirectory(L"full"));
    TestLogger logger(L"full");
    for (bool enabled : {false, true}) {
        logger.Configure(5, enabled);
        logger.Reset();
        LoggingProbe probe;
        probe.SetUp();
        probe.Assert(1);
        probe.Assert(0);
        probe.ShutDown();
        EXPECT_FALSE(probe.IsActive());
        probe.Log(0);
        probe.Assert(0);
        probe.SetUp(3, 77);
        EXPECT_TRUE(probe.IsActive());
        const Records records = logger.Records();
        ASSERT_EQ(records.size(), enabled ? 3u : 2u);
        EXPECT_EQ(records.front(), L"init|-1|0");
        EXPECT_EQ(records.back(), L"init|3|77");
        if (enabled) {
            EXPECT_EQ(records[1].substr(0, 20), L"assert|loggingProbe|");
            EXPECT_EQ(records[1].substr(records[1].rfind(L'|')), L"|value == 1");
        }
    }
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
    auto cycle = [](DriverDll& dll, int users) {
        for (int i = 0; i < users; ++i) dll.Export<DbInitializeFn>("DbInitialize")(nullptr, L"");
        for (int i = 0; i < users; ++i) dll.Export<DbTerminateFn>("DbTerminate")();
    };
    {
        LoggerRegistryValue value(directory);
        DriverDll dll;
        cycle(dll, 2);
        cycle(dll, 1);
        EXPECT_EQ(logger.Records(), (Records{L"init|-1|0", L"init|-1|0"}));
    }
    logger.Reset();
    {
        auto noValue = std::make_unique<LoggerRegistryValue>();
        DriverDll dll;
        cycle(dll, 1);
        noValue.reset();
        LoggerRegistryValue value(directory);
        cycle(dll, 1);
        EXPECT_EQ(logger.Records(), Records());
    }
}

}  // namespace
