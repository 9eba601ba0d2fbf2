#include "platform/dbAssert.h"

#include <cstring>

void ReportAssertionAt(const char* filePath, int32_t line, const char* condition) {
    const char* name = filePath;
    for (const char* p = filePath; *p; ++p)
        if (*p == '/' || *p == '\\') name = p + 1;
    char sourceName[64] = {};
    size_t length = std::strcspn(name, ".");
    if (length >= sizeof(sourceName)) length = sizeof(sourceName) - 1;
    std::memcpy(sourceName, name, length);
    ReportAssertion(sourceName, line, condition);
}
