#pragma once
// A column value as the console writes it, taken from its VARIANT type: texts as they are,
// numbers in the invariant locale, currency and decimals exactly as their digits, dates in
// ISO 8601, null as no value.

#include <windows.h>
#include <oaidl.h>

#include <string>

struct ValueText {
    enum Kind { Null, Text, Number, Exact, Boolean } kind;  // Exact: currency and decimals
    std::string text;                                        // UTF-8; empty for Null
};

ValueText RenderValue(const VARIANT& value);
