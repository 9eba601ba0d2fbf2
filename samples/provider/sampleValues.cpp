#include "sampleTable.h"

#include "common/bstr.h"

namespace {

Variant Typed(VARTYPE type) {
    Variant value;
    value.Get()->vt = type;
    return value;
}

}  // namespace

Variant TextValue(const std::wstring& text) {
    Variant value = Typed(VT_BSTR);
    value.Get()->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value.Get()->bstrVal) RaiseOutOfMemory();
    return value;
}

Variant IntegerValue(LONG number) {
    Variant value = Typed(VT_I4);
    value.Get()->lVal = number;
    return value;
}

Variant NullValue() { return Typed(VT_NULL); }

Variant DateValue(int year, int month, int day) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    Variant value = Typed(VT_DATE);
    if (!SystemTimeToVariantTime(&time, &value.Get()->date)) RaiseComError(E_INVALIDARG);
    return value;
}

Variant MomentValue(DATE moment) {
    Variant value = Typed(VT_DATE);
    value.Get()->date = moment;
    return value;
}

Variant CurrencyValue(LONGLONG tenThousandths) {
    Variant value = Typed(VT_CY);
    value.Get()->cyVal.int64 = tenThousandths;
    return value;
}

Variant DecimalValue(LONGLONG units, BYTE scale) {
    Variant value;
    DECIMAL& decimal = value.Get()->decVal;
    decimal.sign = units < 0 ? DECIMAL_NEG : 0;
    decimal.scale = scale;
    decimal.Hi32 = 0;
    decimal.Lo64 = static_cast<ULONGLONG>(units < 0 ? -units : units);
    // The type word shares its place with the DECIMAL's reserved word: set it last.
    value.Get()->vt = VT_DECIMAL;
    return value;
}

Variant DoubleValue(double number) {
    Variant value = Typed(VT_R8);
    value.Get()->dblVal = number;
    return value;
}

Variant BooleanValue(bool flag) {
    Variant value = Typed(VT_BOOL);
    value.Get()->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return value;
}
