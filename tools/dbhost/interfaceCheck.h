#pragma once
// The provider check's verdicts on the type information that a provider object hands out, given
// by the driver's own routines: which functions the driver lists as tables and why it leaves the
// others out, and how it describes each table's parameters to the engine.

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "com/methodCatalogue.h"
#include "com/methodParameters.h"

struct ParameterCheck {
    std::wstring name;  // empty when the type information gives none
    ParameterType type;
    std::string verdict;  // in words: "VT_BSTR -> string", or why the engine gets no description
};

struct FunctionCheck {
    UINT index = 0;
    std::wstring name;  // empty when the type information gives none
    MethodExamination examination;
    std::string verdict;  // in words: "table", or "not a table: " and the reason
    std::vector<ParameterCheck> parameters;  // a table's only
};

struct InterfaceCheck {
    std::wstring name;
    TYPEKIND kind = TKIND_DISPATCH;  // only a dispatch interface offers tables
    // The type information's refusal to describe itself or a function: the driver's table list
    // then fails with 11, and the functions stop before the one refused.
    HRESULT failure = S_OK;
    std::vector<FunctionCheck> functions;
};

InterfaceCheck CheckInterface(ITypeInfo* typeInfo);
