#include "support/testLogger.h"

#include <gtest/gtest.h>

#include "support/loggerRegistry.h"

namespace {
template <class Fn>
Fn Entry(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

TestLogger::TestLogger(const std::wstring& variant) {
    module_ = LoadLibraryW((TestLoggerDirectory(variant) + L"zelogger.dll").c_str());
    if (!module_) ADD_FAILURE() << "cannot load the test logging library " << testing::PrintToString(variant);
    Reset();
}

TestLogger::~TestLogger() {
    if (module_) FreeLibrary(module_);
}

void TestLogger::Configure(int32_t level, bool assertionsEnabled) {
    if (module_) Entry<void (*)(int32_t, bool)>(module_, "TestLoggerConfigure")(level, assertionsEnabled);
}

void TestLogger::Reset() {
    if (module_) Entry<void (*)()>(module_, "TestLoggerReset")();
}

std::vector<std::wstring> TestLogger::Records() const {
    std::vector<std::wstring> records;
    if (!module_) return records;
    auto count = Entry<int32_t (*)()>(module_, "TestLoggerRecordCount")();
    auto record = Entry<bool (*)(int32_t, wchar_t*, int32_t)>(module_, "TestLoggerRecord");
    for (int32_t i = 0; i < count; ++i) {
        wchar_t buffer[1024];
        if (record(i, buffer, 1024)) records.emplace_back(buffer);
    }
    return records;
}

std::vector<std::wstring> TestLogger::RecordsStartingWith(const std::wstring& prefix) const {
    std::vector<std::wstring> matching;
    for (const std::wstring& line : Records())
        if (line.compare(0, prefix.size(), prefix) == 0) matching.push_back(line);
    return matching;
}
