#pragma once
// Calling a table's method on the provider object: parameter values become automation
// arguments, and the object the method returns is taken as a _Recordset.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "ado/adoInterfaces.h"
#include "com/serverHandle.h"
#include "common/comError.h"
#include "common/comPtr.h"
#include "common/dbTableInfo.h"
#include "common/dbvalue.h"
#include "common/descriptionRecords.h"
#include "platform/SWCharString.h"

// Why a call failed, beyond its result code: for a value that automation cannot hold (600), the
// driver's message and the parameter it names; for a call that the provider failed (303), the
// provider's own error when it gave one.
struct InvocationFailure {
    UINT message = 0;
    SWCharString parameter;
    std::optional<ComError> provider;
};

// parameters and parameterValues hold parameterCount entries; a null array counts as all entries
// null. Each argument is the engine's discrete value, else the parameter's discrete current value,
// else the default of the parameter's type; a missing parameter without an engine value is passed
// as missing. recordset is released first and holds the method's recordset on success.
// 0, also with no recordset when the method returned no object or a default could not be made;
// 10 when the table names no method; 303 when the method cannot be called or its object is no
// recordset; 600 with failure filled for a date, time or decimal that automation cannot hold; 808
// for a value of a type that has no VARIANT form. Reports nothing.
int32_t InvokeMethod(ServerHandle& handle, const DbTableInfo& table, DbParameterDescription* const* parameters,
                     DbValue* const* parameterValues, uint32_t parameterCount, ComPtr<_Recordset>& recordset,
                     InvocationFailure& failure);

// Adds the records that tell the engine why the call failed: the driver's message for 303 and
// 808, for 600 the value's parameter and reason; 10 adds nothing. The provider's own error, when
// it gave one, follows the driver's record in the list. Returns code.
int32_t ReportInvocationFailure(const SWCharString& languageName, int32_t code, const InvocationFailure& failure,
                                DbErrorInfo** errorInfo);
