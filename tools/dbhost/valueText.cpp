#include "valueText.h"

#include <oleauto.h>

#include <charconv>
#include <cstdio>

#include "common/bstr.h"
#include "common/variant.h"
#include "textEncoding.h"

namespace {

std::string Iso8601(DATE date) {
    SYSTEMTIME time{};
    if (!VariantTimeToSystemTime(date, &time)) return {};
    char text[32];
    if (time.wHour == 0 && time.wMinute == 0 && time.wSecond == 0)
        std::snprintf(text, sizeof text, "%04u-%02u-%02u", time.wYear, time.wMonth, time.wDay);
    else
        std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", time.wYear, time.wMonth, time.wDay,
                      time.wHour, time.wMinute, time.wSecond);
    return text;
}

// The shortest text that reads back as the same double.
std::string Shortest(double number) {
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, number);
    return std::string(text, end);
}

// What automation itself writes for the value, in the invariant locale.
std::string AutomationText(const VARIANT& value) {
    Variant text;
    if (FAILED(VariantChangeTypeEx(text.Get(), const_cast<VARIANT*>(&value), LOCALE_INVARIANT, 0, VT_BSTR)))
        return "<" + std::to_string(value.vt) + ">";
    return Utf8(text.Get()->bstrVal, SysStringLen(text.Get()->bstrVal));
}

}  // namespace

ValueText RenderValue(const VARIANT& value) {
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL: return {ValueText::Null, {}};
    case VT_BSTR: return {ValueText::Text, Utf8(value.bstrVal, SysStringLen(value.bstrVal))};
    case VT_BOOL: return {ValueText::Boolean, value.boolVal ? "true" : "false"};
    case VT_DATE: return {ValueText::Text, Iso8601(value.date)};
    case VT_R4: return {ValueText::Number, Shortest(value.fltVal)};
    case VT_R8: return {ValueText::Number, Shortest(value.dblVal)};
    case VT_CY:
    case VT_DECIMAL: return {ValueText::Exact, AutomationText(value)};
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4:
    case VT_I8: case VT_UI8: case VT_INT: case VT_UINT:
        return {ValueText::Number, AutomationText(value)};
    default: return {ValueText::Text, AutomationText(value)};
    }
}
