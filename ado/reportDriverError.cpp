#include "ado/adoCommon.h"

#include "common/resourceStrings.h"
#include "common/resultCodes.h"

namespace {

UINT MessageForCode(int32_t code) {
    switch (code) {
        case DbProviderNotCreated: return 8;
        case DbMethodNotExecuted: return 7;
        case DbParameterTypeUnknown: return 6;
        default: return 0;
    }
}

}  // namespace

int32_t ReportDriverError(const SWCharString& languageName, int32_t code, DbErrorInfo** errorInfo) {
    UINT message = MessageForCode(code);
    if (message == 0 || !errorInfo) return code;
    SWCharString text = LoadResourceString(message, languageName);
    if (!text.isEmpty()) AddErrorInfo(errorInfo, static_cast<uint32_t>(code), text.c_str());
    return code;
}
