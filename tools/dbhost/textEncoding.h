#pragma once
// UTF-8 for the console's output and for the command line, UTF-16 for the driver.

#include <string>

std::string Utf8(const std::wstring& text);
std::string Utf8(const wchar_t* text, size_t length);
std::wstring Utf16(const std::string& text);
