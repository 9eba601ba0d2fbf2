#include "exportArguments.h"

#include <windows.h>
#include <oleauto.h>

#include <charconv>
#include <cstdio>
#include <cstring>

#include "common/bstr.h"
#include "common/dayNumber.h"
#include "common/propcoll.h"
#include "parameterValues.h"
#include "textEncoding.h"

namespace {

template <class Datum>
Datum Read(const DbValue& value) {
    Datum datum;
    std::memcpy(&datum, value.data, sizeof datum);
    return datum;
}

std::string Moment(const DbDateTime& moment) {
    std::string text;
    char part[32];
    if (moment.day != kNoDate) {
        const CalendarDate date = DateFromDayNumber(moment.day);
        std::snprintf(part, sizeof part, "%04d-%02d-%02d", date.year, date.month, date.day);
        text = part;
    }
    if (moment.seconds >= 0 && (moment.seconds > 0 || moment.day == kNoDate)) {
        const ClockTime time = TimeFromSeconds(moment.seconds);
        std::snprintf(part, sizeof part, "%s%02d:%02d:%02d", text.empty() ? "" : "T", time.hour, time.minute, time.second);
        text += part;
    }
    return text;
}

std::string Number(double number) {
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, number);
    return std::string(text, end);
}

std::string Decimal(DECIMAL decimal) {
    Bstr text;
    if (FAILED(VarBstrFromDec(&decimal, LOCALE_INVARIANT, 0, text.ReleaseAndGetAddressOf()))) return "(decimal)";
    return Utf8(text.Get(), SysStringLen(text.Get()));
}

std::string Currency(int64_t tenThousandths) {
    char text[40];
    const char* sign = tenThousandths < 0 ? "-" : "";
    const uint64_t magnitude = tenThousandths < 0 ? 0 - static_cast<uint64_t>(tenThousandths) : tenThousandths;
    std::snprintf(text, sizeof text, "%s%llu.%04llu", sign, static_cast<unsigned long long>(magnitude / 10000),
                  static_cast<unsigned long long>(magnitude % 10000));
    return text;
}

}  // namespace

std::string Quoted(const wchar_t* text) {
    if (!text) return "null";
    std::string quoted = "\"";
    for (const char c : Utf8(text)) {
        if (c == '"' || c == '\\') quoted += '\\';
        if (c == '\n') quoted += "\\n";
        else if (c == '\r') quoted += "\\r";
        else quoted += c;
    }
    return quoted + "\"";
}

std::string ValueArgument(const DbValue& value) {
    if (value.kind == rangeValueKind) return "(range)";
    if (value.kind == multipleValuesKind) return "(list)";
    if (value.kind != discreteValueKind || !value.data) return "(none)";
    switch (value.valueType) {
    case int8sValue: return std::to_string(Read<int8_t>(value));
    case int8uValue: return std::to_string(Read<uint8_t>(value));
    case int16sValue: return std::to_string(Read<int16_t>(value));
    case int16uValue: return std::to_string(Read<uint16_t>(value));
    case int32sValue: return std::to_string(Read<int32_t>(value));
    case int32uValue: return std::to_string(Read<uint32_t>(value));
    case int64sValue: return std::to_string(Read<int64_t>(value));
    case int64uValue: return std::to_string(Read<uint64_t>(value));
    case numberValue: return Number(Read<double>(value));
    case currencyValue: return Currency(Read<int64_t>(value));
    case decimalValue: return Decimal(Read<DECIMAL>(value));
    case booleanValue: return Read<uint16_t>(value) ? "true" : "false";
    case dateValue:
    case timeValue:
    case dateTimeValue: return Moment(Read<DbDateTime>(value));
    case stringValue:
    case memoValue: return Quoted(static_cast<const wchar_t*>(value.data));
    default: return "(" + std::string(ValueTypeName(value.valueType)) + ")";
    }
}

std::string ParametersArgument(uint32_t count, DbParameterDescription* const* parameters, DbValue* const* values) {
    std::string text = "[";
    for (uint32_t i = 0; i < count; ++i) {
        text += i ? ", " : "";
        const DbParameterDescription* parameter = parameters ? parameters[i] : nullptr;
        if (!parameter) {
            text += "-";
            continue;
        }
        text += (parameter->name ? Utf8(parameter->name) : "") + ":" + ValueTypeName(parameter->valueType);
        if (values && values[i]) text += "=" + ValueArgument(*values[i]);
    }
    return text + "]";
}

std::string BindingArgument(const DbFieldBindingInfo& request) {
    if (request.bindingKind == kBindByPosition) return "by position, ordinal=" + std::to_string(request.fieldOrdinal);
    if (request.bindingKind == kBindByName)
        return "by name, name=" + Quoted(request.fieldName) + ", occurrence=" + std::to_string(request.nameOccurrence);
    return "kind=" + std::to_string(request.bindingKind);
}

std::string ReadArgument(int32_t mode, const DbReadRequest& request) {
    static const char* const kModes[] = {"first", "next", "previous", "last", "bookmark"};
    const std::string name = mode >= DbReadFirst && mode <= DbReadBookmark ? kModes[mode - DbReadFirst]
                                                                           : std::to_string(mode);
    return "mode=" + name + (request.positioned ? ", positioned" : "");
}

std::string LogonArgument(const DbLogonInfo* logonInfo) {
    const DbProperty* programId =
        logonInfo ? FindProperty(logonInfo->properties, L"Program ID", false, nullptr) : nullptr;
    if (!programId || !programId->value) return "Program ID=(none)";
    return "Program ID=" + ValueArgument(*programId->value);
}
