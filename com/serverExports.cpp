// Exports of the server logon: the provider object behind a Program ID.

#include <memory>

#include "com/comLogonProp.h"
#include "com/dbExports.h"
#include "common/resourceStrings.h"
#include "ado/exportBoundary.h"
#include "com/serverHandle.h"
#include "common/dbLogonInfo.h"
#include "common/duplicateText.h"

namespace {
constexpr UINT kEnterProgramIdMessage = 3;
}

extern "C" int32_t DbLogonServer(DbLogonInfo* logonInfo, DbLogonInfo** newLogonInfo, void*, void*,
                                 const wchar_t* languageName, ServerHandle** serverHandle,
                                 DbErrorInfo** errorInfo) {
    return RunExport([&]() -> int32_t {
        if (newLogonInfo) *newLogonInfo = nullptr;
        if (serverHandle) *serverHandle = nullptr;
        if (!logonInfo || !newLogonInfo || !serverHandle) return DbInvalidArgument;

        const SWCharString language(languageName);
        SWCharString programId;
        if (logonInfo->properties) ExtractProgramId(*logonInfo->properties, programId);

        int32_t result = DbSuccess;
        if (programId.isEmpty()) {
            result = DbLogonIncomplete;
            if (errorInfo)
                AddErrorInfo(errorInfo, DbLogonIncomplete, LoadResourceString(kEnterProgramIdMessage, language).c_str());
        } else {
            // Handed out only once the provider object and its type information are held.
            auto handle = std::make_unique<ServerHandle>(language, programId);
            result = ActivateProvider(*handle, errorInfo);
            if (result == DbSuccess) *serverHandle = handle.release();
        }

        // The engine gets a record of what was used, whatever the activation gave.
        *newLogonInfo = NewLogonInfo();
        BuildLogonProperties(*(*newLogonInfo)->properties, language, programId, false);
        return result;
    });
}

extern "C" int32_t DbLogoffServer(ServerHandle* serverHandle) {
    delete serverHandle;
    return DbSuccess;
}

extern "C" int32_t DbFetchServerName(ServerHandle* serverHandle, wchar_t** serverName) {
    return RunExport([&]() -> int32_t {
        if (!serverName) return DbInvalidArgument;
        *serverName = nullptr;
        if (!serverHandle) return DbInvalidArgument;
        *serverName = DuplicateText(serverHandle->programId.c_str());
        return DbSuccess;
    });
}
