#pragma once
// Failures of the sample's methods as automation callers see them: an HRESULT and an error
// object whose description says what went wrong.

#include <windows.h>

#include <string>

// Sets the thread's error object and returns result.
HRESULT ReportFailure(HRESULT result, const std::wstring& description);
// The system's text for an HRESULT, without its line break.
std::wstring SystemMessage(HRESULT result);
std::wstring WideText(const char* utf8);
