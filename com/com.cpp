// Lifecycle and capability exports.

#include "com/capabilityTable.h"
#include "com/dbExports.h"
#include "com/driverState.h"
#include "common/resourceStrings.h"
#include "ado/exportBoundary.h"
#include "common/duplicateText.h"

namespace {
constexpr UINT kDatabaseTypeName = 1;
}

extern "C" int32_t DbInitialize(void*, const wchar_t* languageName) {
    return RunExport([&] {
        InitializeDriver(languageName);
        return DbSuccess;
    });
}

extern "C" int32_t DbTerminate() {
    return RunExport([] {
        TerminateDriver();
        return DbSuccess;
    });
}

extern "C" int32_t DbGetInfo(void*, int32_t infoId, uint32_t* value) {
    const CapabilityEntry* entry = FindCapability(infoId);
    if (!entry) return DbNoInfo;
    if (!value) return DbInvalidArgument;
    *value = entry->value;
    return entry->result;
}

extern "C" int32_t DbFetchDatabaseType(const wchar_t* languageName, wchar_t** typeName) {
    return RunExport([&] {
        if (!typeName) return DbInvalidArgument;
        SWCharString name = LoadResourceString(kDatabaseTypeName, languageName);
        if (name.isEmpty()) return DbFailed;
        *typeName = DuplicateText(name.c_str());
        return DbSuccess;
    });
}

extern "C" int32_t DbFreeString(wchar_t* text) {
    FreeText(text);
    return DbSuccess;
}
