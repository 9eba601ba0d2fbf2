#pragma once
// A fixture whose set-up fails cannot give the test what it needs: the test ends with the call
// that failed and its HRESULT (GoogleTest reports the exception's text).

#include <windows.h>

#include <stdexcept>
#include <string>

#include "support/testDouble.h"

inline void CheckSetup(HRESULT result, const char* call) {
    if (FAILED(result)) throw std::runtime_error(std::string(call) + " failed with " + HresultText(result));
}
