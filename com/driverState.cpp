#include "com/driverState.h"

#include <atomic>
#include <memory>

#include "common/resdllmgr.h"
#include "platform/criticalSection.h"
#include "platform/logBridge.h"

namespace {

const wchar_t kCollectionName[] = L"zedb_com";

struct DriverState {
    HINSTANCE moduleInstance = nullptr;
    CriticalSection initLock;
    int32_t userCount = 0;
    std::atomic<ResDllManager*> resourceManager{nullptr};
    // Other exports read the language while DbInitialize may replace it.
    SRWLOCK languageLock = SRWLOCK_INIT;
    SWCharString driverLanguage;
};

DriverState& State() {
    static DriverState state;
    return state;
}

// Constructed when the module loads, so that the lock exists before the first export runs.
const bool stateCreated = (State(), true);

}  // namespace

void OnProcessAttach(HINSTANCE module) { State().moduleInstance = module; }

void InitializeDriver(const wchar_t* languageName) {
    DriverState& state = State();
    CriticalSectionLock lock(state.initLock);
    if (state.userCount++ == 0) {
        SetUpLogging(-1, 0);
        if (!state.resourceManager) state.resourceManager = new ResDllManager();
        state.resourceManager.load()->Initialize(kCollectionName, state.moduleInstance);
    }
    AcquireSRWLockExclusive(&state.languageLock);
    state.driverLanguage = languageName;
    ReleaseSRWLockExclusive(&state.languageLock);
}

void TerminateDriver() {
    DriverState& state = State();
    CriticalSectionLock lock(state.initLock);
    // Unbalanced calls must not drive the count below 0: every later start would skip set-up.
    if (state.userCount == 0) return;
    if (--state.userCount == 0) {
        if (ResDllManager* manager = state.resourceManager.exchange(nullptr)) {
            manager->Terminate();
            delete manager;
        }
        ShutDownLogging();
    }
}

int32_t DriverUserCount() {
    CriticalSectionLock lock(State().initLock);
    return State().userCount;
}

const ResDllManager* CurrentResDllManager() { return State().resourceManager; }

SWCharString DriverLanguage() {
    DriverState& state = State();
    AcquireSRWLockShared(&state.languageLock);
    SWCharString language = state.driverLanguage;
    ReleaseSRWLockShared(&state.languageLock);
    return language;
}

SWCharString LoadResourceString(UINT id, const SWCharString& languageName) {
    const ResDllManager* manager = State().resourceManager;
    return manager ? manager->LoadResourceString(id, languageName) : SWCharString();
}
