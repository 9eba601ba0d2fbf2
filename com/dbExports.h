#pragma once
// The functions that the report engine calls, exported by name. Each returns a result code.

#include <cstdint>

#include "com/resultCodes.h"

extern "C" {

// Lifecycle and capabilities.
int32_t DbInitialize(void* reserved, const wchar_t* languageName);
int32_t DbTerminate();
int32_t DbGetInfo(void* handle, int32_t infoId, uint32_t* value);
int32_t DbFetchDatabaseType(const wchar_t* languageName, wchar_t** typeName);

// Releasing what the driver handed out.
int32_t DbFreeString(wchar_t* text);
}
