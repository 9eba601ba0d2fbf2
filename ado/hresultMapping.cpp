#include "ado/adoCommon.h"

#include "common/resultCodes.h"

namespace {

struct HResultMapping {
    uint32_t result;
    int32_t code;
};

const HResultMapping kMappings[] = {
    {0x8007000E, DbOutOfMemory},      // E_OUTOFMEMORY
    {0x80070057, DbInvalidArgument},  // E_INVALIDARG
    {0x80004003, DbInvalidArgument},  // E_POINTER
    {0x80070006, DbInvalidArgument},  // E_HANDLE
    {0x80020005, DbInvalidArgument},  // DISP_E_TYPEMISMATCH
    {0x800A0BB9, DbInvalidArgument},  // ADO 3001: arguments of the wrong type or out of range
    {0x800A0E7C, DbInvalidArgument},  // ADO 3708: parameter object improperly defined
    {0x800A0E7D, DbInvalidArgument},  // ADO 3709: connection cannot be used
    {0x80004001, DbNotSupported},     // E_NOTIMPL
    {0x80004002, DbNotSupported},     // E_NOINTERFACE
    {0x80020001, DbNotSupported},     // DISP_E_UNKNOWNINTERFACE
    {0x800A0CB3, DbNotSupported},     // ADO 3251: operation not supported by the provider
    {0x800A0D5D, DbNotConvertible},   // ADO 3421: value of the wrong type
};

}  // namespace

int32_t MapHResultToResultCode(HRESULT result, int32_t defaultCode) {
    for (const HResultMapping& mapping : kMappings)
        if (mapping.result == static_cast<uint32_t>(result)) return mapping.code;
    return defaultCode;
}
