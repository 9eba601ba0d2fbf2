#pragma once
// A table's parameters: the input parameters of the provider's method, described for the engine.

#include <cstdint>

#include "ado/errorInfo.h"
#include "com/serverHandle.h"
#include "common/descriptionRecords.h"

// What the engine gets: parameterCount entries, null for a parameter that is not an input.
struct ParameterList {
    uint32_t* parameterCount;
    DbParameterDescription*** parameters;
};

// 0; 11 when the method cannot be found or the type information refuses a request (outputs
// untouched); 808 with its message for a parameter of a type that cannot be described, and 10
// when a record cannot be made (the entries made so far are handed out).
int32_t DescribeMethodParameters(ServerHandle& handle, const wchar_t* methodName, ParameterList outputs,
                                 DbErrorInfo** errorInfo);

// Frees every entry and the array; a null array is accepted.
void FreeParameterList(uint32_t parameterCount, DbParameterDescription** parameters);
