#pragma once
// A table's method called once more, by the driver's own invocation routine on the console's
// own provider object, so that the recordset's columns can be read through ADO: the driver's
// field list leaves out the columns whose type it refuses, and gives no ADO type or size.

#include <oaidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fieldRows.h"
#include "interfaceCheck.h"

struct RecordsetColumns {
    int32_t result = 0;     // the invocation's result code, as DbFetchTableFields would report it
    HRESULT failure = S_OK;  // ADO's refusal to describe the recordset's columns
    std::vector<RecordsetColumn> columns;
};

// The table's method with each parameter at its default, as the engine's field listing calls it.
RecordsetColumns ReadRecordsetColumns(IDispatch* provider, const std::wstring& programId, const FunctionCheck& table);
