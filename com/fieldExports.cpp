// Exports of a table's fields: the columns of the recordset that the table's method returns.

#include <cstdlib>
#include <memory>

#include "ado/exportBoundary.h"
#include "ado/openrowseth.h"
#include "com/dbExports.h"
#include "com/driverState.h"
#include "com/methodInvocation.h"
#include "com/methodParameters.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"

namespace {

// The method's own parameter list, freed on every way out.
class OwnParameters {
public:
    OwnParameters() = default;
    ~OwnParameters() { FreeParameterList(count, list); }
    OwnParameters(const OwnParameters&) = delete;
    OwnParameters& operator=(const OwnParameters&) = delete;

    uint32_t count = 0;
    DbParameterDescription** list = nullptr;
};

void FillFieldDescription(DbFieldDescription* record, const FieldDescriptionEntry& entry) {
    record->name = DuplicateText(entry.name.c_str());
    record->description = DuplicateText(entry.description.c_str());
    record->fieldAt40 = 1;
    record->valueType = entry.valueType;
    record->length = entry.length;
    record->typeOptions = entry.typeOptions;
    record->fieldAt64 = entry.furtherFields[0];
}

}  // namespace

extern "C" int32_t DbFetchTableFields(ServerHandle* serverHandle, const DbTableInfo* table, uint32_t parameterCount,
                                      DbParameterDescription** parameters, DbValue** parameterValues,
                                      uint32_t* fieldCount, DbFieldDescription*** fields, DbErrorInfo** errorInfo) {
    return RunExport([&]() -> int32_t {
        if (!fieldCount || !fields) return DbInvalidArgument;
        *fieldCount = 0;
        *fields = nullptr;
        if (!serverHandle || !table) return DbInvalidArgument;

        // Without values from the engine, every parameter takes its current value or its default.
        OwnParameters own;
        if (parameterCount == 0) {
            if (!table->firstText) return DbInvalidArgument;
            const int32_t described = DescribeMethodParameters(*serverHandle, table->firstText,
                                                               ParameterList{&own.count, &own.list}, errorInfo);
            if (described != DbSuccess) return described;
            parameters = own.list;
            parameterValues = nullptr;
            parameterCount = own.count;
        }
        ComPtr<_Recordset> recordset;
        InvocationFailure failure;
        const int32_t invoked =
            InvokeMethod(*serverHandle, *table, parameters, parameterValues, parameterCount, recordset, failure);
        if (invoked != DbSuccess) return ReportInvocationFailure(DriverLanguage(), invoked, failure, errorInfo);

        DbOpenRowsetHandle rowset(std::move(recordset));
        FieldDescriptionList list;
        const int32_t described = rowset.CollectFields(list, errorInfo);
        if (described != DbSuccess || list.empty()) return described;

        // Count and array are handed out together, and each record is stored before it is
        // filled, so that whatever fails, the engine frees what was made.
        auto** array = static_cast<DbFieldDescription**>(AllocateZeroed(list.size() * sizeof(DbFieldDescription*)));
        *fields = array;
        *fieldCount = static_cast<uint32_t>(list.size());
        for (size_t i = 0; i < list.size(); ++i) {
            array[i] = NewRecord<DbFieldDescription>();
            FillFieldDescription(array[i], list[i]);
        }
        return DbSuccess;
    });
}

extern "C" int32_t DbFreeFieldList(uint32_t count, DbFieldDescription** fields) {
    if (!fields) return DbSuccess;
    for (uint32_t i = 0; i < count; ++i) DeleteRecord(fields[i]);
    std::free(fields);
    return DbSuccess;
}
