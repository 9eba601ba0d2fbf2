#include "com/methodInvocation.h"

#include <oleauto.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "ado/adoCommon.h"
#include "ado/adoconvert.h"
#include "common/bstr.h"
#include "common/dayNumber.h"
#include "common/dbconvert.h"
#include "common/resourceStrings.h"
#include "common/resultCodes.h"
#include "common/variant.h"
#include "platform/dbAssert.h"

#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "serverHandle"

// The argument slots are handed to IDispatch::Invoke as one VARIANT array.
static_assert(sizeof(Variant) == sizeof(VARIANT), "a Variant is exactly its VARIANT");

namespace {

constexpr uint32_t kDefaultBufferSize = 256;
constexpr LCID kNeutralLocale = 0;

// The value an argument is made from: a value type and its datum.
struct ArgumentSource {
    uint32_t valueType;
    const void* data;
};

// Room for 0 converted into any fixed-size value type.
struct DefaultValue {
    alignas(8) unsigned char buffer[kDefaultBufferSize];
    DbDateTime today;
};

bool IsDiscreteWithData(const DbValue* value) {
    return value && value->kind == discreteValueKind && value->data;
}

// Automation's day 0, the date part of a time without a date.
constexpr CalendarDate kAutomationDayZero{1899, 12, 30};

// Why a value cannot become an argument: the driver's texts, each naming the parameter.
constexpr UINT kDateOutOfRangeMessage = 11;
constexpr UINT kInvalidDateMessage = 12;
constexpr UINT kDecimalMessage = 13;
constexpr int32_t kSecondsPerDay = 86400;

// An automation date, or the message that says why the moment has none.
struct AutomationDate {
    DATE value = 0;
    UINT refused = 0;
};

// The day at midnight, or with the time of the seconds field. Automation holds no day before
// the year 100 or after 9999; a time of day lies within its day.
AutomationDate ToVariantDate(const CalendarDate& date, const DbDateTime& moment, bool withTime) {
    // Automation would read a year below 100 as one of this century or the last.
    if (date.year < 100 || date.year > 9999) return {0, kDateOutOfRangeMessage};
    // Hours beyond a day would be cut to 16 bits on the way and name another day.
    if (withTime && (moment.seconds < 0 || moment.seconds >= kSecondsPerDay)) return {0, kInvalidDateMessage};
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    if (withTime) {
        const ClockTime clock = TimeFromSeconds(moment.seconds);
        time.wHour = static_cast<WORD>(clock.hour);
        time.wMinute = static_cast<WORD>(clock.minute);
        time.wSecond = static_cast<WORD>(clock.second);
    }
    AutomationDate result;
    if (!SystemTimeToVariantTime(&time, &result.value)) result.refused = kInvalidDateMessage;
    return result;
}

// A value without a date falls on automation's day 0, as a time does.
AutomationDate ToVariantDate(const DbDateTime& moment, bool withTime) {
    return ToVariantDate(moment.day == kNoDate ? kAutomationDayZero : DateFromDayNumber(moment.day), moment, withTime);
}

int32_t StoreDate(const AutomationDate& date, VARIANT& slot, UINT& message) {
    if (date.refused) {
        message = date.refused;
        return DbNotConvertible;
    }
    slot.date = date.value;
    slot.vt = VT_DATE;
    return DbSuccess;
}

template <class Datum>
Datum Read(const void* data) {
    Datum datum;
    std::memcpy(&datum, data, sizeof(Datum));
    return datum;
}

// 808 for a value type that has no VARIANT form; 600 with message set for a value that
// automation cannot hold.
int32_t MakeArgument(const ArgumentSource& source, VARIANT& slot, UINT& message) {
    const void* data = source.data;
    switch (source.valueType) {
    case int8uValue: slot.bVal = Read<BYTE>(data); slot.vt = VT_UI1; return DbSuccess;
    case int16sValue: slot.iVal = Read<SHORT>(data); slot.vt = VT_I2; return DbSuccess;
    case int16uValue: slot.uiVal = Read<USHORT>(data); slot.vt = VT_UI2; return DbSuccess;
    case int32sValue: slot.lVal = Read<LONG>(data); slot.vt = VT_I4; return DbSuccess;
    case int32uValue: slot.ulVal = Read<ULONG>(data); slot.vt = VT_UI4; return DbSuccess;
    case numberValue: slot.dblVal = Read<double>(data); slot.vt = VT_R8; return DbSuccess;
    case currencyValue: slot.cyVal.int64 = Read<LONGLONG>(data); slot.vt = VT_CY; return DbSuccess;
    // The low byte of the stored word decides; automation's true is all bits set, which is what
    // providers compare with.
    case booleanValue: slot.boolVal = Read<BYTE>(data) ? VARIANT_TRUE : VARIANT_FALSE; slot.vt = VT_BOOL; return DbSuccess;
    case dateValue: return StoreDate(ToVariantDate(Read<DbDateTime>(data), false), slot, message);
    // A time has no day number; automation gives it day 0.
    case timeValue: return StoreDate(ToVariantDate(kAutomationDayZero, Read<DbDateTime>(data), true), slot, message);
    case dateTimeValue: return StoreDate(ToVariantDate(Read<DbDateTime>(data), true), slot, message);
    case stringValue: slot.bstrVal = Bstr(static_cast<const wchar_t*>(data)).Detach(); slot.vt = VT_BSTR; return DbSuccess;
    case decimalValue: {
        DECIMAL decimal = Read<DECIMAL>(data);
        if (FAILED(VarR8FromDec(&decimal, &slot.dblVal))) {
            message = kDecimalMessage;
            return DbNotConvertible;
        }
        slot.vt = VT_R8;
        return DbSuccess;
    }
    case int64sValue: slot.llVal = Read<LONGLONG>(data); slot.vt = VT_I8; return DbSuccess;
    case int64uValue: slot.ullVal = Read<ULONGLONG>(data); slot.vt = VT_UI8; return DbSuccess;
    default: return DbParameterTypeUnknown;
    }
}

// The default of the parameter's type; false when 0 has no form in that type.
bool MakeDefault(const DbParameterDescription& parameter, DefaultValue& value, ArgumentSource& source) {
    source.valueType = parameter.valueType;
    switch (parameter.valueType) {
    case dateValue:
    case dateTimeValue:
        value.today = Today();
        source.data = &value.today;
        return true;
    case stringValue:
    case memoValue:
        source.data = (parameter.typeOptions & AdoTypeOptionByteString) ? L"00" : L"";
        return true;
    default: {
        const uint32_t zero = 0;
        source.data = value.buffer;
        return ConvertValue(&zero, int32uValue, 0, value.buffer, parameter.valueType, kDefaultBufferSize) ==
               DbSuccess;
    }
    }
}

// What Invoke may leave in the exception record: read for the engine, freed on every path.
class ExceptionRecord {
public:
    ExceptionRecord() = default;
    ~ExceptionRecord() {
        Bstr().Attach(record_.bstrSource);
        Bstr().Attach(record_.bstrDescription);
        Bstr().Attach(record_.bstrHelpFile);
    }
    ExceptionRecord(const ExceptionRecord&) = delete;
    ExceptionRecord& operator=(const ExceptionRecord&) = delete;
    EXCEPINFO* Get() { return &record_; }

    // The provider's exception as a COM error: its code (the call's when it gave none) and its
    // texts, once the provider has filled them in when it defers that.
    ComError Error(HRESULT invoked) {
        if (record_.pfnDeferredFillIn) record_.pfnDeferredFillIn(&record_);
        const HRESULT result = FAILED(record_.scode) ? record_.scode : invoked;
        ComPtr<ICreateErrorInfo> texts;
        if (FAILED(CreateErrorInfo(texts.ReleaseAndGetAddressOf()))) return ComError(result);
        texts->SetSource(record_.bstrSource);
        texts->SetDescription(record_.bstrDescription);
        ComPtr<IErrorInfo> errorInfo;
        texts.As(errorInfo);
        return ComError(result, std::move(errorInfo));
    }

private:
    EXCEPINFO record_{};
};

// Why the provider failed the call, as it said: its exception, or the error object that its
// dispatch interface declares it sets; nothing when it said neither.
std::optional<ComError> ProviderError(IDispatch* dispatch, HRESULT invoked, ExceptionRecord& exception) {
    if (invoked == DISP_E_EXCEPTION) return exception.Error(invoked);
    ComError error = MakeComError(invoked, dispatch, IID_IDispatch);
    if (!error.ErrorInfo()) return std::nullopt;
    return error;
}

// A parameter as the engine's user knows it: its name, else its position from 1.
SWCharString ParameterLabel(const DbParameterDescription* parameter, uint32_t index) {
    if (parameter && parameter->name && *parameter->name) return parameter->name;
    return SWCharString(std::to_wstring(index + 1));
}

// Fills the slots in reverse order, as Invoke expects them; the result to stop with, or none.
std::optional<int32_t> MakeArguments(DbParameterDescription* const* parameters, DbValue* const* parameterValues,
                                     uint32_t parameterCount, std::vector<Variant>& slots,
                                     InvocationFailure& failure) {
    for (uint32_t i = 0; i < parameterCount; ++i) {
        const DbParameterDescription* parameter = parameters ? parameters[i] : nullptr;
        DB_ASSERT_TEXT(parameter != nullptr, "param != NULL");
        const DbValue* engineValue = parameterValues ? parameterValues[i] : nullptr;
        VARIANT& slot = *slots[parameterCount - 1 - i].Get();

        ArgumentSource source{};
        DefaultValue fallback;
        if (IsDiscreteWithData(engineValue)) {
            source = {engineValue->valueType, engineValue->data};
        } else if (!parameter) {
            MarkArgumentMissing(slot);
            continue;
        } else if (IsDiscreteWithData(parameter->currentValue)) {
            source = {parameter->currentValue->valueType, parameter->currentValue->data};
        } else if (!MakeDefault(*parameter, fallback, source)) {
            // Not called at all: no recordset, and no error either.
            return DbSuccess;
        }
        if (const int32_t made = MakeArgument(source, slot, failure.message); made != DbSuccess) {
            if (failure.message) failure.parameter = ParameterLabel(parameter, i);
            return made;
        }
    }
    return std::nullopt;
}

}  // namespace

int32_t InvokeMethod(ServerHandle& handle, const DbTableInfo& table, DbParameterDescription* const* parameters,
                     DbValue* const* parameterValues, uint32_t parameterCount, ComPtr<_Recordset>& recordset,
                     InvocationFailure& failure) {
    recordset.Reset();
    failure = InvocationFailure();
    std::vector<Variant> slots(parameterCount);
    if (auto stop = MakeArguments(parameters, parameterValues, parameterCount, slots, failure)) return *stop;
    if (!table.firstText) return DbOutOfMemory;

    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {table.firstText};
    if (FAILED(handle.dispatch->GetIDsOfNames(IID_NULL, names, 1, kNeutralLocale, &member)))
        return DbMethodNotExecuted;

    DISPPARAMS arguments{slots.empty() ? nullptr : slots[0].Get(), nullptr, parameterCount, 0};
    Variant result;
    ExceptionRecord exception;
    UINT argumentError = 0;
    // A read-only property that returns a recordset is a table too: dispatch matches the kind.
    const HRESULT invoked = handle.dispatch->Invoke(member, IID_NULL, kNeutralLocale,
                                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &arguments, result.Get(),
                                                    exception.Get(), &argumentError);
    if (FAILED(invoked)) {
        failure.provider = ProviderError(handle.dispatch.Get(), invoked, exception);
        return DbMethodNotExecuted;
    }
    // A method that returned nothing, or no object, gives no recordset and no error.
    if (result.Get()->vt != VT_DISPATCH) return DbSuccess;

    if (FAILED(ComPtr<IDispatch>(result.Get()->pdispVal).As(recordset))) {
        recordset.Reset();
        return DbMethodNotExecuted;
    }
    return DbSuccess;
}

int32_t ReportInvocationFailure(const SWCharString& languageName, int32_t code, const InvocationFailure& failure,
                                DbErrorInfo** errorInfo) {
    // The provider's reason goes behind the driver's own record, which stays the first.
    if (failure.provider) ReportComError(*failure.provider, errorInfo, languageName, code);
    if (code != DbNotConvertible || !failure.message) return ReportDriverError(languageName, code, errorInfo);
    if (!errorInfo) return code;
    SWCharString text = LoadResourceString(failure.message, languageName);
    const ptrdiff_t slot = text.findFirst(L'%');
    if (slot >= 0) text = text.left(static_cast<size_t>(slot)) + failure.parameter + text.mid(static_cast<size_t>(slot) + 1);
    AddErrorInfo(errorInfo, static_cast<uint32_t>(code), text.c_str());
    return code;
}
