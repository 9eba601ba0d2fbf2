#pragma once
// A table's parameters: the input parameters of the provider's method, described for the engine.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

#include "ado/errorInfo.h"
#include "com/serverHandle.h"
#include "common/descriptionRecords.h"
#include "common/dbvalue.h"

// What the engine gets: parameterCount entries, null for a parameter that is not an input.
struct ParameterList {
    uint32_t* parameterCount;
    DbParameterDescription*** parameters;
};

// How one parameter is described to the engine, or why it is not.
enum class ParameterVerdict {
    Described,
    NotAnInput,    // no entry for it (null)
    FixedArray,    // a C array: no entry for it (null)
    RefusedType,   // VT_DISPATCH, VT_ERROR, VT_VARIANT, VT_UNKNOWN or VT_CLSID: 808
    UnmappedType,  // a base type that the type mapping refuses: 808
};

struct ParameterType {
    ParameterVerdict verdict = ParameterVerdict::Described;
    VARTYPE baseType = VT_EMPTY;  // the declared type without pointers and array flags
    uint32_t valueType = noValueType;
    uint32_t length = 0;
    uint32_t typeOptions = 0;
};

// The description the engine gets for a parameter of a table's method, or the reason it gets none.
ParameterType DescribeParameterType(const ELEMDESC& parameter);

// 0; 11 when the method cannot be found or the type information refuses a request (outputs
// untouched); 808 with its message for a parameter of a type that cannot be described, and 10
// when a record cannot be made (the entries made so far are handed out).
int32_t DescribeMethodParameters(ServerHandle& handle, const wchar_t* methodName, ParameterList outputs,
                                 DbErrorInfo** errorInfo);

// Frees every entry and the array; a null array is accepted.
void FreeParameterList(uint32_t parameterCount, DbParameterDescription** parameters);
