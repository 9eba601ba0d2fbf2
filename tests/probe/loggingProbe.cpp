// A test-only DLL around the driver's logging bridge. Each load of it brings a fresh bridge, so
// tests can drive set-up states that the driver itself keeps for its module's whole life.

#include <windows.h>

#include <cstdint>

#include "ado/adoCommon.h"
#include "com/driverState.h"
#include "platform/dbAssert.h"
#include "platform/logBridge.h"

#define PROBE_EXPORT extern "C" __declspec(dllexport)

PROBE_EXPORT void ProbeSetUpLogging(int32_t level, intptr_t context) { SetUpLogging(level, context); }
PROBE_EXPORT void ProbeShutDownLogging() { ShutDownLogging(); }
PROBE_EXPORT bool ProbeIsLoggingActive() { return IsLoggingActive(); }

PROBE_EXPORT void ProbeLog(int32_t level) {
    RuntimeInfoToLogfile("probe", 7, L"wide message", level);
    RuntimeInfoToLogfileA("probe", 8, "narrow message", level);
    const unsigned char bytes[] = {0x01, 0xAB};
    RuntimeInfoToLogfileBinary("probe", 9, bytes, 2, level);
    RuntimeInfoToLogfileFormat("probe", 10, level, "%s=%d", "count", 42);
}

PROBE_EXPORT void ProbeAssert(int32_t value) { DB_ASSERT(value == 1); }

// The driver's error report for a failed call, made while the driver is in use as a first
// DbInitialize leaves it (logging set up, the string table linked into this DLL).
PROBE_EXPORT int32_t ProbeReportComError(HRESULT result) {
    InitializeDriver(L"");
    DbErrorInfo* errors = nullptr;
    int32_t code = ReportComError(ComError(result), &errors, L"", 11);
    FreeErrorInfoChain(errors);
    TerminateDriver();
    return code;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) OnProcessAttach(instance);
    return TRUE;
}
