#pragma once
// The provider's tables: the methods of its dispatch interface that return a _Recordset.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <vector>

#include "com/serverHandle.h"
#include "platform/SWCharString.h"

// Appends the names of all tables in the order of the type information and records them in
// the handle's method index. 0, or 11 when the type information is missing or refuses a
// request (names found before the failure stay).
int32_t CollectRecordsetMethods(ServerHandle& handle, std::vector<SWCharString>& names);

// Examines one function. Returns GetFuncDesc's result; isTable and, for a table, name are set.
HRESULT IsRecordsetMethod(ITypeInfo* typeInfo, UINT functionIndex, const TYPEATTR& typeAttr, bool& isTable,
                          SWCharString& name);
