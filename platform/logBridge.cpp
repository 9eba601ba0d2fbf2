#include "platform/logBridge.h"

#include <windows.h>

#include <atomic>
#include <cwchar>

#include "platform/criticalSection.h"
#include "platform/loggerInterface.h"
#include "platform/slimLock.h"

namespace {

const wchar_t kLoggerKey[] = L"Software\\Norvane Varnholt\\Suite QZ 4.0\\Tessel Reports\\";
const wchar_t kLoggerValue[] = L"CommonFiles";
const wchar_t kLoggerFile[] = L"zelogger.dll";

struct EntryPoints {
    InitializeLoggerFn initializeLogger = nullptr;
    AssertToLogfileFn assertToLogfile = nullptr;
    RuntimeInfoToLogfileFn runtimeInfo = nullptr;
    RuntimeInfoToLogfileAFn runtimeInfoA = nullptr;
    RuntimeInfoToLogfileBinaryFn runtimeInfoBinary = nullptr;
    RuntimeInfoToLogfileArglistFn runtimeInfoArglist = nullptr;
    GetLoggingLevelFn getLoggingLevel = nullptr;
    SetLoggingLevelFn setLoggingLevel = nullptr;
};

struct BridgeState {
    CriticalSection lock;
    // Held shared by every call into the library and exclusively while the entry points change,
    // so that shut-down never frees the library under a call that is still running.
    SlimLock callLock;
    std::atomic<bool> loaded{false};
    std::atomic<bool> failed{false};
    std::atomic<bool> assertionsEnabled{false};
    HMODULE module = nullptr;
    EntryPoints entry;
};

BridgeState& State() {
    static BridgeState state;
    return state;
}

// Constructed when the module loads, so that the lock exists before any export runs.
const bool stateCreated = (State(), true);

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Only a path from a drive's root or from a share names one place. A relative or empty directory
// would send LoadLibrary through the search path, where anyone may plant a file of that name.
bool IsAbsoluteDirectory(const wchar_t* directory) {
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (separator(directory[0])) return separator(directory[1]) && directory[2] && !separator(directory[2]);
    const wchar_t drive = static_cast<wchar_t>(directory[0] | 0x20);
    return drive >= L'a' && drive <= L'z' && directory[1] == L':' && separator(directory[2]);
}

bool FindLoggerPath(wchar_t (&path)[MAX_PATH]) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLoggerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    // 260 bytes as the library's installer writes it, plus room for a terminator it may lack.
    wchar_t directory[MAX_PATH / 2 + 1] = {};
    DWORD bytes = MAX_PATH;
    LONG status = RegQueryValueExW(key, kLoggerValue, nullptr, nullptr, reinterpret_cast<BYTE*>(directory), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || !IsAbsoluteDirectory(directory)) return false;
    // No separator is inserted: the registered directory ends with a backslash.
    return _snwprintf(path, MAX_PATH, L"%s%s", directory, kLoggerFile) > 0;
}

void LoadLogger(int32_t level, intptr_t context) {
    BridgeState& state = State();
    wchar_t path[MAX_PATH] = {};
    if (!FindLoggerPath(path)) {
        state.failed = true;
        return;
    }
    // Its own dependencies resolve from its folder, not from the engine's.
    state.module = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    EntryPoints entry;
    if (state.module) {
        entry.initializeLogger = Lookup<InitializeLoggerFn>(state.module, "InitializeLogger");
        entry.assertToLogfile = Lookup<AssertToLogfileFn>(state.module, "AssertToLogfile");
        entry.runtimeInfo = Lookup<RuntimeInfoToLogfileFn>(state.module, "RuntimeInfoToLogfile");
        entry.runtimeInfoA = Lookup<RuntimeInfoToLogfileAFn>(state.module, "RuntimeInfoToLogfileA");
        entry.runtimeInfoBinary = Lookup<RuntimeInfoToLogfileBinaryFn>(state.module, "RuntimeInfoToLogfileBinary");
        entry.runtimeInfoArglist = Lookup<RuntimeInfoToLogfileArglistFn>(state.module, "RuntimeInfoToLogfileArglist");
        entry.getLoggingLevel = Lookup<GetLoggingLevelFn>(state.module, "GetLoggingLevel");
        entry.setLoggingLevel = Lookup<SetLoggingLevelFn>(state.module, "SetLoggingLevel");
    }
    {
        ExclusiveLock calls(state.callLock);
        state.entry = entry;
    }
    if (!state.module || !entry.initializeLogger) {
        state.failed = true;
        return;
    }
    bool assertionsEnabled = false;
    entry.initializeLogger(&assertionsEnabled, level, context);
    state.assertionsEnabled = assertionsEnabled;
    state.loaded = true;
}

// Callers hold callLock shared.
bool LevelEnabled(const EntryPoints& entry, int32_t level) {
    if (!IsLoggingActive()) return false;
    if (!entry.getLoggingLevel) return level <= 0;
    const int32_t current = entry.getLoggingLevel();
    return (current >= 32 ? 31 : current) >= level;
}

// Runs call with the entry points of a library that stays loaded until call returns.
template <class Call>
void WithEntryPoints(Call&& call) {
    BridgeState& state = State();
    SharedLock calls(state.callLock);
    call(state.entry);
}

}  // namespace

void SetUpLogging(int32_t level, intptr_t context) {
    BridgeState& state = State();
    auto tried = [&] { return state.loaded || state.failed; };
    if (level < 0 && tried()) return;
    CriticalSectionLock lock(state.lock);
    if (level < 0 && tried()) return;
    LoadLogger(level, context);
}

void ShutDownLogging() {
    BridgeState& state = State();
    if (!state.loaded || state.failed) return;
    CriticalSectionLock lock(state.lock);
    if (!state.loaded || state.failed) return;
    HMODULE module = nullptr;
    {
        // Nothing may call into the library once it is gone.
        ExclusiveLock calls(state.callLock);
        state.assertionsEnabled = false;
        state.loaded = false;
        state.entry = EntryPoints();
        module = state.module;
        state.module = nullptr;
    }
    if (module) FreeLibrary(module);
}

bool IsLoggingActive() { return State().loaded && !State().failed; }

bool AreAssertionsEnabled() { return State().assertionsEnabled; }

bool IsLoggingLevelEnabled(int32_t level) {
    bool enabled = false;
    WithEntryPoints([&](const EntryPoints& entry) { enabled = LevelEnabled(entry, level); });
    return enabled;
}

void ReportAssertion(const char* sourceFile, int32_t line, const char* condition) {
    WithEntryPoints([&](const EntryPoints& entry) {
        if (entry.assertToLogfile) entry.assertToLogfile(sourceFile, line, condition);
    });
}

void RuntimeInfoToLogfile(const char* sourceFile, int32_t line, const wchar_t* message, int32_t level) {
    WithEntryPoints([&](const EntryPoints& entry) {
        if (entry.runtimeInfo && LevelEnabled(entry, level)) entry.runtimeInfo(sourceFile, line, message, level);
    });
}

void RuntimeInfoToLogfileA(const char* sourceFile, int32_t line, const char* message, int32_t level) {
    WithEntryPoints([&](const EntryPoints& entry) {
        if (entry.runtimeInfoA && LevelEnabled(entry, level)) entry.runtimeInfoA(sourceFile, line, message, level);
    });
}

void RuntimeInfoToLogfileBinary(const char* sourceFile, int32_t line, const void* data, uint32_t size,
                                int32_t level) {
    WithEntryPoints([&](const EntryPoints& entry) {
        if (entry.runtimeInfoBinary && LevelEnabled(entry, level))
            entry.runtimeInfoBinary(sourceFile, line, data, size, level);
    });
}

void RuntimeInfoToLogfileArglist(const char* sourceFile, int32_t line, const char* format, int32_t level,
                                 va_list arguments) {
    WithEntryPoints([&](const EntryPoints& entry) {
        if (entry.runtimeInfoArglist && LevelEnabled(entry, level))
            entry.runtimeInfoArglist(sourceFile, line, format, level, arguments);
    });
}

void RuntimeInfoToLogfileFormat(const char* sourceFile, int32_t line, int32_t level, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    RuntimeInfoToLogfileArglist(sourceFile, line, format, level, arguments);
    va_end(arguments);
}
