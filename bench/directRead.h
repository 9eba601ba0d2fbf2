#pragma once
// The recordset read directly, as a program that uses ADO itself would: each column's Field
// looked up once, then for every row Field::get_Value per column, MoveNext and EOF.

#include <cstdint>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"

// The recordset that the sample provider's GeneratedTable method returns, built through its
// IDispatch as any automation client calls it.
ComPtr<_Recordset> GeneratedRecordset(const wchar_t* programId, long rows, long columns);

uint64_t ReadDirectly(const ComPtr<_Recordset>& recordset);
