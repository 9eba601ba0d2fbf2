// A test-only DLL around the driver's logging bridge. Each load of it brings a fresh bridge, so
// tests can drive set-up states that the driver itself keeps for its module's whole life.

#include <cstdint>

#include "platform/dbAssert.h"
#include "platform/logBridge.h"

#define PROBE_EXPORT extern "C" __declspec(dllexport)

PROBE_EXPORT void ProbeSetUpLogging(int32_t level, intptr_t context) { SetUpLogging(level, context); }
PROBE_EXPORT void ProbeShutDownLogging() { ShutDownLogging(); }
PROBE_EXPORT bool ProbeIsLoggingActive() { return IsLoggingActive(); }
PROBE_EXPORT bool ProbeIsLoggingLevelEnabled(int32_t level) { return IsLoggingLevelEnabled(level); }

PROBE_EXPORT void ProbeLog(int32_t level) {
    RuntimeInfoToLogfile("probe", 7, L"wide message", level);
    RuntimeInfoToLogfileA("probe", 8, "narrow message", level);
    const unsigned char bytes[] = {0x01, 0xAB};
    RuntimeInfoToLogfileBinary("probe", 9, bytes, 2, level);
    RuntimeInfoToLogfileFormat("probe", 10, level, "%s=%d", "count", 42);
}

PROBE_EXPORT void ProbeAssert(int32_t value) { DB_ASSERT(value == 1); }
