#include "com/driverState.h"

#include <memory>

#include "common/resdllmgr.h"
#include "common/resourceStrings.h"
#include "platform/criticalSection.h"
#include "platform/logBridge.h"
#include "platform/slimLock.h"

namespace {

const wchar_t kCollectionName[] = L"zedb_com";

struct DriverState {
    HINSTANCE moduleInstance = nullptr;
    CriticalSection initLock;
    int32_t userCount = 0;
    // Other exports read the language while DbInitialize may replace it.
    SlimLock languageLock;
    SWCharString driverLanguage;
};

DriverState& State() {
    static DriverState state;
    return state;
}

// Constructed when the module loads, so that the lock exists before the first export runs.
const bool stateCreated = (State(), true);

// Logging first, then the strings; a failure takes logging down again.
void StartFirstUser(HINSTANCE module) {
    SetUpLogging(-1, 0);
    try {
        auto manager = std::make_unique<ResDllManager>();
        manager->Initialize(kCollectionName, module);
        InstallResDllManager(std::move(manager));
    } catch (...) {
        ShutDownLogging();
        throw;
    }
}

}  // namespace

void OnProcessAttach(HINSTANCE module) { State().moduleInstance = module; }

void InitializeDriver(const wchar_t* languageName) {
    DriverState& state = State();
    CriticalSectionLock lock(state.initLock);
    // Everything that may fail happens before the user is counted.
    SWCharString language(languageName);
    if (state.userCount == 0) StartFirstUser(state.moduleInstance);
    {
        ExclusiveLock languageLock(state.languageLock);
        state.driverLanguage.swap(language);
    }
    ++state.userCount;
}

void TerminateDriver() {
    DriverState& state = State();
    CriticalSectionLock lock(state.initLock);
    // Unbalanced calls must not drive the count below 0: every later start would skip set-up.
    if (state.userCount == 0) return;
    if (--state.userCount == 0) {
        if (std::unique_ptr<ResDllManager> manager = RemoveResDllManager()) manager->Terminate();
        ShutDownLogging();
    }
}

int32_t DriverUserCount() {
    CriticalSectionLock lock(State().initLock);
    return State().userCount;
}

SWCharString DriverLanguage() {
    DriverState& state = State();
    SharedLock lock(state.languageLock);
    return state.driverLanguage;
}
