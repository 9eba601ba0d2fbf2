// Logon dialog description and logon information exports.

#include <memory>

#include "com/comLogonProp.h"
#include "com/dbExports.h"
#include "ado/exportBoundary.h"
#include "common/dbLogonInfo.h"

extern "C" int32_t DbFetchLogonUIInfo(void*, DbLogonInfo* logonInfo, void*, const wchar_t* languageName,
                                      DbLogonInfo** newLogonInfo) {
    return RunExport([&] {
        if (!newLogonInfo) return DbInvalidArgument;
        *newLogonInfo = nullptr;
        if (!logonInfo || !logonInfo->properties) return DbInvalidArgument;
        SWCharString programId;
        ExtractProgramId(*logonInfo->properties, programId);
        // Handed out only when complete, so a failure leaves the engine nothing to free.
        std::unique_ptr<DbLogonInfo, LogonInfoDeleter> description(NewLogonInfo());
        BuildLogonProperties(*description->properties, languageName, programId, true);
        *newLogonInfo = description.release();
        return DbSuccess;
    });
}

extern "C" int32_t DbMatchLogonInfo(DbLogonInfo* logonInfoA, DbLogonInfo* logonInfoB, void*, void*, const wchar_t*,
                                    void* required6, uint16_t* isMatch) {
    return RunExport([&] {
        if (!isMatch) return DbInvalidArgument;
        *isMatch = 0;
        if (!logonInfoA || !logonInfoB || !required6) return DbInvalidArgument;
        // The comparison needs a collection on both sides.
        if (!logonInfoA->properties || !logonInfoB->properties) return DbInvalidArgument;
        SWCharString programIdA;
        SWCharString programIdB;
        ExtractProgramId(*logonInfoA->properties, programIdA);
        ExtractProgramId(*logonInfoB->properties, programIdB);
        *isMatch = programIdA.compareNoCase(programIdB) == 0 ? 1 : 0;
        return DbSuccess;
    });
}

extern "C" int32_t DbFreeLogonInfo(DbLogonInfo* logonInfo) {
    DeleteLogonInfo(logonInfo);
    return DbSuccess;
}
