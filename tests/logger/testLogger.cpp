// A logging library for tests: every call is recorded as one line of text.
//   init|<level>|<context>        assert|<file>|<line>|<condition>
//   info|<file>|<line>|<level>|<message>   (infoA, binary and arglist alike)
// Tests load it by path first, configure it, then let the driver load the same module.

#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#define LOGGER_EXPORT extern "C" __declspec(dllexport)

namespace {

std::mutex recordsLock;
std::vector<std::wstring> records;
int32_t configuredLevel = 0;
bool configuredAssertions = false;

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (; text && *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

void Record(const std::wstring& line) {
    std::lock_guard<std::mutex> guard(recordsLock);
    records.push_back(line);
}

std::wstring InfoPrefix(const wchar_t* kind, const char* file, int32_t line, int32_t level) {
    return std::wstring(kind) + L"|" + Widen(file) + L"|" + std::to_wstring(line) + L"|" + std::to_wstring(level) +
           L"|";
}

}  // namespace

#ifdef TEST_LOGGER_HAS_INIT
LOGGER_EXPORT void InitializeLogger(bool* assertionsEnabled, int32_t level, intptr_t context) {
    Record(L"init|" + std::to_wstring(level) + L"|" + std::to_wstring(context));
    *assertionsEnabled = configuredAssertions;
}
#endif

#ifdef TEST_LOGGER_HAS_LEVEL
LOGGER_EXPORT int32_t GetLoggingLevel() { return configuredLevel; }
#endif

LOGGER_EXPORT void SetLoggingLevel(int32_t level) { Record(L"setlevel|" + std::to_wstring(level)); }

LOGGER_EXPORT void AssertToLogfile(const char* file, int32_t line, const char* condition) {
    Record(L"assert|" + Widen(file) + L"|" + std::to_wstring(line) + L"|" + Widen(condition));
}

LOGGER_EXPORT void RuntimeInfoToLogfile(const char* file, int32_t line, const wchar_t* message, int32_t level) {
    Record(InfoPrefix(L"info", file, line, level) + message);
}

LOGGER_EXPORT void RuntimeInfoToLogfileA(const char* file, int32_t line, const char* message, int32_t level) {
    Record(InfoPrefix(L"infoA", file, line, level) + Widen(message));
}

LOGGER_EXPORT void RuntimeInfoToLogfileBinary(const char* file, int32_t line, const void* data, uint32_t size,
                                              int32_t level) {
    std::wstring bytes;
    for (uint32_t i = 0; i < size; ++i) {
        wchar_t hex[4];
        swprintf(hex, 4, L"%02x", static_cast<const unsigned char*>(data)[i]);
        bytes += hex;
    }
    Record(InfoPrefix(L"binary", file, line, level) + bytes);
}

LOGGER_EXPORT void RuntimeInfoToLogfileArglist(const char* file, int32_t line, const char* format, int32_t level,
                                               va_list arguments) {
    char text[512];
    vsnprintf(text, sizeof(text), format, arguments);
    Record(InfoPrefix(L"arglist", file, line, level) + Widen(text));
}

// Test controls.
LOGGER_EXPORT void TestLoggerConfigure(int32_t level, bool assertionsEnabled) {
    configuredLevel = level;
    configuredAssertions = assertionsEnabled;
}

LOGGER_EXPORT void TestLoggerReset() {
    std::lock_guard<std::mutex> guard(recordsLock);
    records.clear();
}

LOGGER_EXPORT int32_t TestLoggerRecordCount() {
    std::lock_guard<std::mutex> guard(recordsLock);
    return static_cast<int32_t>(records.size());
}

// Copies record index into the buffer; false when there is no such record.
LOGGER_EXPORT bool TestLoggerRecord(int32_t index, wchar_t* buffer, int32_t capacity) {
    std::lock_guard<std::mutex> guard(recordsLock);
    if (index < 0 || index >= static_cast<int32_t>(records.size()) || capacity <= 0) return false;
    lstrcpynW(buffer, records[static_cast<size_t>(index)].c_str(), capacity);
    return true;
}
