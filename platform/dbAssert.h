#pragma once
// Internal consistency checks: a failed check is reported to the logging library, only while
// it enabled assertions, with the source file's name, the line and the condition's text.
// Execution always goes on.

#include <cstdint>

#include "platform/logBridge.h"

// Reports under the file's base name without extension ("com" for .../com/com.cpp).
void ReportAssertionAt(const char* filePath, int32_t line, const char* condition);

// Checks report under their file's name. A file whose checks belong to another source module
// names that module after its includes:
//     #undef DB_ASSERT_SOURCE
//     #define DB_ASSERT_SOURCE "serverHandle"
#define DB_ASSERT_SOURCE __FILE__

#define DB_ASSERT_TEXT(condition, text)                                          \
    do {                                                                         \
        if (!(condition) && AreAssertionsEnabled())                              \
            ReportAssertionAt(DB_ASSERT_SOURCE, __LINE__, text);                         \
    } while (0)

#define DB_ASSERT(condition) DB_ASSERT_TEXT(condition, #condition)
