#pragma once
// Points the driver at a test logging library through the registry, for the scope's life.

#include <string>

// Directory of the test logging library variant ("full", "nolevel", "noinit"), with a final backslash.
std::wstring TestLoggerDirectory(const std::wstring& variant);
std::wstring TestBinaryDirectory();

class LoggerRegistryValue {
public:
    // Writes "CommonFiles" as given; an empty optional value removes it.
    explicit LoggerRegistryValue(const std::wstring& commonFiles);
    LoggerRegistryValue();  // no value at all
    ~LoggerRegistryValue();
    LoggerRegistryValue(const LoggerRegistryValue&) = delete;
    LoggerRegistryValue& operator=(const LoggerRegistryValue&) = delete;
};
