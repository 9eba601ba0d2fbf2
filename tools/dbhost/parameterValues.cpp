#include "parameterValues.h"

#include <windows.h>
#include <oleauto.h>


#include "common/dayNumber.h"
#include "driverFailure.h"
#include "textEncoding.h"

namespace {

struct TypeName {
    uint32_t valueType;
    const char* name;
};

const TypeName kTypeNames[] = {
    {int8sValue, "int8s"},     {int8uValue, "int8u"},       {int16sValue, "int16s"},   {int16uValue, "int16u"},
    {int32sValue, "int32s"},   {int32uValue, "int32u"},     {numberValue, "number"},   {currencyValue, "currency"},
    {booleanValue, "boolean"}, {dateValue, "date"},         {timeValue, "time"},       {stringValue, "string"},
    {memoValue, "memo"},       {blobValue, "blob"},         {dateTimeValue, "dateTime"}, {decimalValue, "decimal"},
    {int64sValue, "int64s"},   {int64uValue, "int64u"},     {opaque64Value, "opaque64"},
    {interfaceValue, "interface"},
};

// Automation's day 0, 30 December 1899, as a day number.
const int32_t kAutomationDayZero = DayNumberFromDate(1899, 12, 30);

[[noreturn]] void NotA(const std::wstring& name, const std::wstring& text, uint32_t valueType) {
    throw UsageError("the value '" + Utf8(text) + "' of parameter " + Utf8(name) + " is not of type " +
                     ValueTypeName(valueType));
}

template <class Datum>
std::unique_ptr<DbValue> Discrete(uint32_t valueType, Datum datum) {
    auto value = std::make_unique<DbValue>(valueType);
    SetDiscreteValue(*value, valueType, &datum, true);
    return value;
}

// text read by one of automation's Var…FromStr conversions in the invariant locale; null when
// it is no such value.
template <class Datum, class Conversion>
std::unique_ptr<DbValue> Converted(uint32_t valueType, const std::wstring& text, Conversion conversion) {
    Datum datum{};
    if (FAILED(conversion(const_cast<OLECHAR*>(text.c_str()), LOCALE_INVARIANT, 0, &datum))) return nullptr;
    return Discrete(valueType, datum);
}

// ISO 8601: 2026-02-01, 2026-02-01T10:30:00 (also with a space), or 10:30:00 for a time.
bool ParseMoment(const std::wstring& text, uint32_t valueType, DbDateTime& moment) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    wchar_t separator = 0, end = 0;
    moment = {kNoDate, -1, 0};
    if (valueType == timeValue) {
        if (swscanf(text.c_str(), L"%2d:%2d:%2d%lc", &hour, &minute, &second, &end) != 3) return false;
    } else {
        const int read = swscanf(text.c_str(), L"%4d-%2d-%2d%lc%2d:%2d:%2d%lc", &year, &month, &day, &separator, &hour,
                                 &minute, &second, &end);
        if (read != 3 && !(read == 7 && (separator == L'T' || separator == L' '))) return false;
        if (month < 1 || month > 12 || day < 1 || day > 31) return false;
        moment.day = DayNumberFromDate(year, month, day);
    }
    if (hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0) return false;
    if (valueType != dateValue) moment.seconds = hour * 3600 + minute * 60 + second;
    return true;
}

}  // namespace

std::pair<std::wstring, std::wstring> SplitParameter(const std::wstring& assignment) {
    const size_t equals = assignment.find(L'=');
    if (equals == std::wstring::npos || equals == 0)
        throw UsageError("a parameter is given as NAME=VALUE, not '" + Utf8(assignment) + "'");
    return {assignment.substr(0, equals), assignment.substr(equals + 1)};
}

std::unique_ptr<DbValue> ParameterValue(const std::wstring& name, uint32_t valueType, const std::wstring& text) {
    std::unique_ptr<DbValue> value;
    switch (valueType) {
    case stringValue:
    case memoValue:
        value = std::make_unique<DbValue>(valueType);
        SetDiscreteValue(*value, valueType, const_cast<wchar_t*>(text.c_str()), true);
        break;
    case int8sValue: value = Converted<CHAR>(valueType, text, VarI1FromStr); break;
    case int8uValue: value = Converted<BYTE>(valueType, text, VarUI1FromStr); break;
    case int16sValue: value = Converted<SHORT>(valueType, text, VarI2FromStr); break;
    case int16uValue: value = Converted<USHORT>(valueType, text, VarUI2FromStr); break;
    case int32sValue: value = Converted<LONG>(valueType, text, VarI4FromStr); break;
    case int32uValue: value = Converted<ULONG>(valueType, text, VarUI4FromStr); break;
    case int64sValue: value = Converted<LONG64>(valueType, text, VarI8FromStr); break;
    case int64uValue: value = Converted<ULONG64>(valueType, text, VarUI8FromStr); break;
    case numberValue: value = Converted<double>(valueType, text, VarR8FromStr); break;
    // A CY is its 64-bit count of ten-thousandths, as the engine's currency value is.
    case currencyValue: value = Converted<CY>(valueType, text, VarCyFromStr); break;
    case decimalValue: value = Converted<DECIMAL>(valueType, text, VarDecFromStr); break;
    case booleanValue:
        if (text == L"true" || text == L"false") value = Discrete<uint16_t>(valueType, text == L"true" ? 1 : 0);
        break;
    case dateValue:
    case timeValue:
    case dateTimeValue: {
        DbDateTime moment;
        if (ParseMoment(text, valueType, moment)) value = Discrete(valueType, moment);
        break;
    }
    default:
        throw UsageError("parameter " + Utf8(name) + " is of type " + ValueTypeName(valueType) +
                         ", which the console cannot give");
    }
    if (!value) NotA(name, text, valueType);
    return value;
}

const char* ValueTypeName(uint32_t valueType) {
    for (const TypeName& entry : kTypeNames)
        if (entry.valueType == valueType) return entry.name;
    return "unknown";
}
