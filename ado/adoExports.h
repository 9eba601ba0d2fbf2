#pragma once
// The exports of the ADO rowset layer, exported by name. Each returns a result code.

#include <cstdint>

#include "ado/errorInfo.h"

extern "C" {

// Releasing the engine's error list.
int32_t DbFreeErrorInfo(DbErrorInfo* errorInfo);
}
