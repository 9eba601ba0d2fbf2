#pragma once
// Bridge to the optional logging library: set up by the first DbInitialize, shut down by the
// last DbTerminate. Without the library every call here does nothing.

#include <cstdarg>
#include <cstdint>

void SetUpLogging(int32_t level, intptr_t context);
void ShutDownLogging();

bool IsLoggingActive();
bool IsLoggingLevelEnabled(int32_t level);
bool AreAssertionsEnabled();

void ReportAssertion(const char* sourceFile, int32_t line, const char* condition);

void RuntimeInfoToLogfile(const char* sourceFile, int32_t line, const wchar_t* message, int32_t level);
void RuntimeInfoToLogfileA(const char* sourceFile, int32_t line, const char* message, int32_t level);
void RuntimeInfoToLogfileBinary(const char* sourceFile, int32_t line, const void* data, uint32_t size, int32_t level);
void RuntimeInfoToLogfileArglist(const char* sourceFile, int32_t line, const char* format, int32_t level,
                                 va_list arguments);
void RuntimeInfoToLogfileFormat(const char* sourceFile, int32_t line, int32_t level, const char* format, ...);
