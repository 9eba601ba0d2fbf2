#include "sampleRegistration.h"

#include <gtest/gtest.h>

namespace {

ProcessRun Regsvr32(bool unregister) {
    return RunProcess(unregister ? L"regsvr32.exe /s /u sampleProvider.dll" : L"regsvr32.exe /s sampleProvider.dll");
}

class SampleRegistrationEnvironment : public testing::Environment {
public:
    void SetUp() override {
        Regsvr32(true);
        const ProcessRun registration = Regsvr32(false);
        ASSERT_EQ(registration.exitCode, 0u) << registration.err;
    }
    // The driver's other tests expect a prefix without the sample's ADODB.Record.
    void TearDown() override { Regsvr32(true); }
};

const testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new SampleRegistrationEnvironment);

}  // namespace

ProcessRun RunConsole(const std::wstring& arguments) { return RunProcess(L"dbhost.exe " + arguments); }
