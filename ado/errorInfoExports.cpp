// Releasing the engine's error list.

#include "ado/errorInfo.h"
#include "com/dbExports.h"

extern "C" int32_t DbFreeErrorInfo(DbErrorInfo* errorInfo) {
    FreeErrorInfoChain(errorInfo);
    return DbSuccess;
}
