#pragma once
// Client side of the test logging library: loads a variant by path (the same module the driver
// will load), configures it and reads back what it recorded.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TestLogger {
public:
    explicit TestLogger(const std::wstring& variant);
    ~TestLogger();
    TestLogger(const TestLogger&) = delete;
    TestLogger& operator=(const TestLogger&) = delete;

    void Configure(int32_t level, bool assertionsEnabled);
    void Reset();
    std::vector<std::wstring> Records() const;
    // Records that begin with the prefix, such as L"assert|".
    std::vector<std::wstring> RecordsStartingWith(const std::wstring& prefix) const;

private:
    HMODULE module_ = nullptr;
};
