// Exports of query execution: a table's method called with the report's parameter values, its
// recordset handed to the engine as an open rowset.

#include "ado/exportBoundary.h"
#include "ado/openrowseth.h"
#include "com/dbExports.h"
#include "com/driverState.h"
#include "com/methodInvocation.h"
#include "common/comError.h"
#include "platform/dbAssert.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "com"

extern "C" int32_t DbExecuteQuery(ServerHandle* serverHandle, uint32_t, const DbQueryDefinition* queryDef, void*,
                                  void*, void*, DbOpenRowsetHandle** rowset, void*, DbErrorInfo** errorInfo) {
    return RunExport([&]() -> int32_t {
        // Every mode calls the handle's provider object, so none goes without a handle.
        if (!serverHandle || !queryDef || !rowset) return DbInvalidArgument;
        DB_ASSERT(queryDef->nTables == 1);
        if (!queryDef->tables || !queryDef->tables[0]) return DbInvalidArgument;

        ComPtr<_Recordset> recordset;
        InvocationFailure failure;
        const int32_t result = InvokeMethod(*serverHandle, *queryDef->tables[0], queryDef->parameters,
                                            queryDef->parameterValues, queryDef->nParameters, recordset, failure);
        if (result != DbSuccess) return ReportInvocationFailure(DriverLanguage(), result, failure, errorInfo);
        // A recordset that cannot move there is still handed out; the engine's first read tells.
        // Its error object is dropped, so that no later failure passes it off as its own.
        if (recordset && FAILED(recordset->MoveFirst())) DiscardThreadErrorInfo();
        *rowset = new DbOpenRowsetHandle(recordset, serverHandle->providerLists);
        return DbSuccess;
    });
}

extern "C" int32_t DbCloseRowset(DbOpenRowsetHandle* rowset) {
    delete rowset;
    return DbSuccess;
}
