#include "com/serverHandle.h"

#include "ado/adoCommon.h"
#include "common/resultCodes.h"

namespace {
// In-process server or handler, local or remote server: whatever the class registered.
constexpr DWORD kProviderClassContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                        CLSCTX_REMOTE_SERVER;
static_assert(kProviderClassContext == 0x17);
}  // namespace

int32_t ActivateProvider(ServerHandle& handle, DbErrorInfo** errorInfo) {
    CLSID classId{};
    if (FAILED(CLSIDFromProgID(handle.programId.c_str(), &classId)) &&
        FAILED(CLSIDFromString(handle.programId.c_str(), &classId)))
        return DbInvalidArgument;

    HRESULT result = CoCreateInstance(classId, nullptr, kProviderClassContext, IID_IDispatch,
                                      reinterpret_cast<void**>(handle.dispatch.ReleaseAndGetAddressOf()));
    if (FAILED(result) || !handle.dispatch) {
        handle.dispatch.Reset();
        ReportDriverError(handle.languageName, DbProviderNotCreated, errorInfo);
        return DbFailed;
    }

    result = handle.dispatch->GetTypeInfo(0, 0, handle.typeInfo.ReleaseAndGetAddressOf());
    if (FAILED(result) || !handle.typeInfo) {
        handle.typeInfo.Reset();
        handle.dispatch.Reset();
        return DbLogonIncomplete;
    }
    return DbSuccess;
}
