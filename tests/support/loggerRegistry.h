#pragma once
// Where the test executables and the test logging libraries are.

#include <string>

std::wstring TestBinaryDirectory();
// The folder of one variant of the test logging library ("full", "noinit", "nolevel").
std::wstring TestLoggerDirectory(const std::wstring& variant);
