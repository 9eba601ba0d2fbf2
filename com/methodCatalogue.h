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

// Only a dispatch interface offers tables; type information of any other kind lists none.
bool OffersTables(const TYPEATTR& typeAttr);

// Why a function is a table or not: the first of the catalogue's tests that it fails.
enum class MethodVerdict {
    Table,
    NoRecordsetReturned,       // it returns no pointer to a type named "_Recordset"
    ReferencedTypeUnreadable,  // the type that its result points to cannot be obtained or named
    OutputOnlyParameter,
    ReturnValueParameter,
    NoName,                    // the type information gives it no name
};

// A verdict and what it rests on. The catalogue needs only the verdict; the details are for
// telling a provider's author why a method is not a table.
struct MethodExamination {
    MethodVerdict verdict = MethodVerdict::Table;
    VARTYPE returnedType = VT_EMPTY;
    VARTYPE pointedType = VT_EMPTY;  // for a returned pointer, the type it points to
    HREFTYPE referencedType = 0;     // for a pointer to a named type, that type
    SWCharString typeName;           // and its name, once read
    SHORT parameter = -1;            // the parameter that fails the test
    HRESULT failure = S_OK;          // what the type information answered when it refused
};

// Examines one function. Returns GetFuncDesc's result; examination is set and, for a table, name.
HRESULT IsRecordsetMethod(ITypeInfo* typeInfo, UINT functionIndex, const TYPEATTR& typeAttr,
                          MethodExamination& examination, SWCharString& name);
