#pragma once
// The names that provider authors know types by: automation's VT_ codes and ADO's ad… types.

#include <windows.h>

#include <string>

// "VT_I4", "VT_ARRAY|VT_BSTR"; an unknown code as "VT 99".
std::string VarTypeName(VARTYPE type);

// "adInteger (3)"; an unknown code as "type 99".
std::string AdoTypeName(long type);
