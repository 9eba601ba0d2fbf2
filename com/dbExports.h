#pragma once
// The functions that the report engine calls, exported by name. Each returns a result code.

#include <cstdint>

#include "ado/adoExports.h"
#include "com/queryDefinition.h"
#include "common/dbLogonInfo.h"
#include "common/dbTableInfo.h"
#include "common/descriptionRecords.h"
#include "common/resultCodes.h"

class ServerHandle;
class DbOpenRowsetHandle;

extern "C" {

// Lifecycle and capabilities.
int32_t DbInitialize(void* reserved, const wchar_t* languageName);
int32_t DbTerminate();
int32_t DbGetInfo(void* handle, int32_t infoId, uint32_t* value);
int32_t DbFetchDatabaseType(const wchar_t* languageName, wchar_t** typeName);

// Logon dialog description and logon information.
int32_t DbFetchLogonUIInfo(void* reserved1, DbLogonInfo* logonInfo, void* reserved3, const wchar_t* languageName,
                           DbLogonInfo** newLogonInfo);
int32_t DbMatchLogonInfo(DbLogonInfo* logonInfoA, DbLogonInfo* logonInfoB, void* reserved3, void* reserved4,
                         const wchar_t* languageName, void* required6, uint16_t* isMatch);
int32_t DbFreeLogonInfo(DbLogonInfo* logonInfo);

// Logon to the provider object.
int32_t DbLogonServer(DbLogonInfo* logonInfo, DbLogonInfo** newLogonInfo, void* reserved3, void* reserved4,
                      const wchar_t* languageName, ServerHandle** serverHandle, DbErrorInfo** errorInfo);
int32_t DbLogoffServer(ServerHandle* serverHandle);
int32_t DbFetchServerName(ServerHandle* serverHandle, wchar_t** serverName);

// Tables and their parameters.
int32_t DbFetchTableList(ServerHandle* serverHandle, void* reserved2, void* parentQualifier,
                         uint16_t qualifierNodesAtThisLevel, DbTableInfo*** tableList, uint32_t* tableCount,
                         void* reserved7);
int32_t DbFreeTableList(uint32_t* tableCount, DbTableInfo** tableList);
int32_t DbFetchTableInfo(void* reserved1, const wchar_t* tableName, DbTableInfo** tableInfo);
int32_t DbFreeTableInfo(DbTableInfo* tableInfo);
// Only the first field of the table record, its name, is read.
int32_t DbFetchTableParameters(ServerHandle* serverHandle, const DbTableInfo* table, uint32_t* parameterCount,
                               DbParameterDescription*** parameters, DbErrorInfo** errorInfo);
int32_t DbFreeParametersList(uint32_t parameterCount, DbParameterDescription** parameters);

// A table's fields, described from the recordset that its method returns.
int32_t DbFetchTableFields(ServerHandle* serverHandle, const DbTableInfo* table, uint32_t parameterCount,
                           DbParameterDescription** parameters, DbValue** parameterValues, uint32_t* fieldCount,
                           DbFieldDescription*** fields, DbErrorInfo** errorInfo);
int32_t DbFreeFieldList(uint32_t count, DbFieldDescription** fields);

// Queries: a table's method run with the report's parameter values, its recordset as a rowset.
int32_t DbExecuteQuery(ServerHandle* serverHandle, uint32_t mode, const DbQueryDefinition* queryDef, void* reserved4,
                       void* reserved5, void* reserved6, DbOpenRowsetHandle** rowset, void* reserved8,
                       DbErrorInfo** errorInfo);
int32_t DbCloseRowset(DbOpenRowsetHandle* rowset);

// Releasing texts the driver handed out.
int32_t DbFreeString(wchar_t* text);
}
