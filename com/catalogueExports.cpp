// Exports of the method catalogue: tables and their parameters.

#include <cstdlib>

#include "com/dbExports.h"
#include "ado/exportBoundary.h"
#include "com/methodCatalogue.h"
#include "com/methodParameters.h"
#include "common/dbTableInfo.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "platform/dbAssert.h"

// Assertions report under the module name the logs know this code by.
#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "com"

namespace {

constexpr uint32_t kMethodTableKind = 5;

void FillTableInfo(DbTableInfo* record, const wchar_t* methodName) {
    record->firstText = DuplicateText(methodName);
    record->secondText = DuplicateText(methodName);
    record->thirdText = DuplicateText(methodName);
    record->kind = kMethodTableKind;
    record->field100 = 0;
    record->field102 = 0;
}

}  // namespace

extern "C" int32_t DbFetchTableList(ServerHandle* serverHandle, void*, void* parentQualifier,
                                    uint16_t qualifierNodesAtThisLevel, DbTableInfo*** tableList,
                                    uint32_t* tableCount, void*) {
    return RunExport([&]() -> int32_t {
        if (!tableList || !tableCount) return DbInvalidArgument;
        *tableCount = 0;
        *tableList = nullptr;
        if (!serverHandle) return DbInvalidArgument;
        // The provider's tables form one flat level without qualifiers.
        DB_ASSERT(parentQualifier == NULL);
        DB_ASSERT(qualifierNodesAtThisLevel == FALSE);

        std::vector<SWCharString> names;
        int32_t result = CollectRecordsetMethods(*serverHandle, names);
        if (result != DbSuccess) return result;
        if (names.empty()) return DbSuccess;

        auto** list = static_cast<DbTableInfo**>(AllocateZeroed(names.size() * sizeof(DbTableInfo*)));
        *tableList = list;
        *tableCount = static_cast<uint32_t>(names.size());
        // Each record is stored before it is filled: whatever fails, the engine frees what was made.
        for (size_t i = 0; i < names.size(); ++i) {
            list[i] = NewTableInfo();
            FillTableInfo(list[i], names[i].c_str());
        }
        return DbSuccess;
    });
}

extern "C" int32_t DbFreeTableList(uint32_t* tableCount, DbTableInfo** tableList) {
    if (!tableList) return DbSuccess;
    uint32_t count = tableCount ? *tableCount : 0;
    for (uint32_t i = 0; i < count; ++i) DeleteTableInfo(tableList[i]);
    std::free(tableList);
    return DbSuccess;
}

extern "C" int32_t DbFetchTableInfo(void*, const wchar_t* tableName, DbTableInfo** tableInfo) {
    return RunExport([&]() -> int32_t {
        if (!tableInfo) return DbInvalidArgument;
        *tableInfo = nullptr;
        if (!tableName) return DbInvalidArgument;
        *tableInfo = NewTableInfo();
        FillTableInfo(*tableInfo, tableName);
        return DbSuccess;
    });
}

extern "C" int32_t DbFreeTableInfo(DbTableInfo* tableInfo) {
    DeleteTableInfo(tableInfo);
    return DbSuccess;
}

extern "C" int32_t DbFetchTableParameters(ServerHandle* serverHandle, const DbTableInfo* table,
                                          uint32_t* parameterCount, DbParameterDescription*** parameters,
                                          DbErrorInfo** errorInfo) {
    return RunExport([&]() -> int32_t {
        if (!serverHandle || !table || !table->firstText || !parameterCount || !parameters) return DbInvalidArgument;
        return DescribeMethodParameters(*serverHandle, table->firstText, ParameterList{parameterCount, parameters},
                                        errorInfo);
    });
}

extern "C" int32_t DbFreeParametersList(uint32_t parameterCount, DbParameterDescription** parameters) {
    FreeParameterList(parameterCount, parameters);
    return DbSuccess;
}
