#pragma once
// The exports of the ADO rowset layer, exported by name. Each returns a result code.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

#include "ado/errorInfo.h"

class DbOpenRowsetHandle;
struct DbBookmark;
struct DbFieldBinding;
struct DbFieldBindingInfo;
struct DbReadRequest;

extern "C" {

// Binding a query's fields to the rowset's columns, by position or by name.
int32_t DbBindToField(DbOpenRowsetHandle* rowsetHandle, const DbFieldBindingInfo* fieldBindingInfo,
                      DbFieldBinding** binding, DbErrorInfo** errorInfo);
int32_t DbFreeFieldBinding(DbFieldBinding* binding);

// Reading: moving to a record (500 past either end), then each bound column's value.
int32_t DbReadRecord(DbOpenRowsetHandle* rowsetHandle, int32_t mode, const DbBookmark* bookmark,
                     const DbReadRequest* readRequest, DbErrorInfo** errorInfo);
int32_t DbReadVariantColumnValue(DbOpenRowsetHandle* rowsetHandle, const DbFieldBinding* binding, void* reserved3,
                                 void* reserved4, VARIANT* value, DbErrorInfo** errorInfo);

// Releasing the engine's error list.
int32_t DbFreeErrorInfo(DbErrorInfo* errorInfo);
}
