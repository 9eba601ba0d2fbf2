#pragma once
// Puts a sample table into a disconnected ADODB.Recordset, the platform's own, standing on its
// first row. Failures raise ComError.

#include <windows.h>
#include <oaidl.h>

#include "common/comPtr.h"
#include "sampleTable.h"

ComPtr<IDispatch> WriteRecordset(const SampleTable& table);
