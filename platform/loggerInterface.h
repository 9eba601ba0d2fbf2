#pragma once
// Entry points of the maker's logging library (zelogger.dll), looked up by name at run time.

#include <cstdarg>
#include <cstdint>

extern "C" {
using InitializeLoggerFn = void (*)(bool* assertionsEnabled, int32_t level, intptr_t context);
using AssertToLogfileFn = void (*)(const char* sourceFile, int32_t line, const char* condition);
using RuntimeInfoToLogfileFn = void (*)(const char* sourceFile, int32_t line, const wchar_t* message, int32_t level);
using RuntimeInfoToLogfileAFn = void (*)(const char* sourceFile, int32_t line, const char* message, int32_t level);
using RuntimeInfoToLogfileBinaryFn = void (*)(const char* sourceFile, int32_t line, const void* data, uint32_t size,
                                              int32_t level);
using RuntimeInfoToLogfileArglistFn = void (*)(const char* sourceFile, int32_t line, const char* format, int32_t level,
                                               va_list arguments);
using GetLoggingLevelFn = int32_t (*)();
using SetLoggingLevelFn = void (*)(int32_t level);
}
