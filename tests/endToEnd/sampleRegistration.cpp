#include "sampleRegistration.h"

#include <gtest/gtest.h>

#include "registrySnapshot.h"

namespace {

const wchar_t* const kSampleKeys[] = {
    L"CLSID\\{72E31BC9-D6F0-44BD-AD74-89CA41736647}",
    L"ZedbSample.Provider",
    L"TypeLib\\{29620AE0-72DA-4B8A-975A-2CA106BC0636}",
    L"Interface\\{AE820D95-D857-4D4D-B83D-95946CC6EFD2}",
    L"CLSID\\{FBDE6AC1-1ADC-41CF-B7A7-F44B4516CBC2}",
    L"ADODB.Record",
    L"Interface\\{00000556-0000-0010-8000-00AA006D2EA4}",
};

std::vector<std::wstring> g_before;

class SampleRegistrationEnvironment : public testing::Environment {
public:
    void SetUp() override {
        Regsvr32(true);
        g_before = SnapshotSampleKeys();
        const ProcessRun registration = Regsvr32(false);
        ASSERT_EQ(registration.exitCode, 0u) << registration.err;
    }
    void TearDown() override { Regsvr32(true); }
};

const testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new SampleRegistrationEnvironment);

}  // namespace

ProcessRun Regsvr32(bool unregister) {
    return RunProcess(unregister ? L"regsvr32.exe /s /u sampleProvider.dll" : L"regsvr32.exe /s sampleProvider.dll");
}

std::vector<std::wstring> SnapshotSampleKeys() {
    std::vector<std::wstring> snapshots;
    for (const wchar_t* key : kSampleKeys) snapshots.push_back(RegistrySnapshot(key));
    return snapshots;
}

const std::vector<std::wstring>& SampleKeysBeforeRegistration() { return g_before; }

ProcessRun RunConsole(const std::wstring& arguments) { return RunProcess(L"dbhost.exe " + arguments); }
