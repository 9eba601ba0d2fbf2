// Releasing the engine's error list.

#include "ado/adoExports.h"
#include "ado/errorInfo.h"
#include "common/resultCodes.h"

extern "C" int32_t DbFreeErrorInfo(DbErrorInfo* errorInfo) {
    FreeErrorInfoChain(errorInfo);
    return DbSuccess;
}
