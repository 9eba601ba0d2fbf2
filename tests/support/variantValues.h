#pragma once
// Owning VARIANTs of one automation type, for test data and expected values:
//     BuildRecordset({{L"Id", adInteger, 4}}, {{I4(7)}, {Null()}});

#include <windows.h>
#include <oleauto.h>

#include "common/bstr.h"
#include "common/comPtr.h"
#include "common/variant.h"

inline Variant Typed(VARTYPE type) {
    Variant value;
    value.Get()->vt = type;
    return value;
}

inline Variant Null() { return Typed(VT_NULL); }

inline Variant I4(LONG number) {
    Variant value = Typed(VT_I4);
    value.Get()->lVal = number;
    return value;
}

inline Variant I8(LONGLONG number) {
    Variant value = Typed(VT_I8);
    value.Get()->llVal = number;
    return value;
}

inline Variant R8(double number) {
    Variant value = Typed(VT_R8);
    value.Get()->dblVal = number;
    return value;
}

inline Variant Text(const wchar_t* text) {
    Variant value = Typed(VT_BSTR);
    value.Get()->bstrVal = Bstr(text).Detach();
    return value;
}

// A VT_DISPATCH holding its own reference to object (null stays null).
inline Variant Object(IDispatch* object) {
    Variant value = Typed(VT_DISPATCH);
    value.Get()->pdispVal = ComPtr<IDispatch>(object).Detach();
    return value;
}
