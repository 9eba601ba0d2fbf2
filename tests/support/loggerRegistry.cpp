#include "support/loggerRegistry.h"

#include <windows.h>

std::wstring TestBinaryDirectory() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

std::wstring TestLoggerDirectory(const std::wstring& variant) {
    return TestBinaryDirectory() + L"loggers\\" + variant + L"\\";
}
