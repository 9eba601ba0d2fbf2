#pragma once
// Internal consistency checks: a failed check is reported to the logging library, only while
// it enabled assertions, with the source file's name, the line and the condition's text.
// Execution always goes on.

#include <cstdint>

#include "platform/logBridge.h"

// Reports under the file's base name without extension ("com" for .../com/com.cpp).
void ReportAssertionAt(const char* filePath, int32_t line, const char* condition);

#define DB_ASSERT_TEXT(condition, text)                                          \
    do {                                                                         \
        if (!(condition) && AreAssertionsEnabled())                              \
            ReportAssertionAt(__FILE__, __LINE__, text);                         \
    } while (0)

#define DB_ASSERT(condition) DB_ASSERT_TEXT(condition, #condition)
