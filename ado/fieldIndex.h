#pragma once
// The index VARIANTs with which ADO's Fields collection is asked for a column.

#include <windows.h>
#include <oleauto.h>

#include "common/bstr.h"
#include "common/variant.h"

// A 0-based position (VT_I4).
inline Variant FieldPositionIndex(LONG position) {
    Variant index;
    index.Get()->vt = VT_I4;
    index.Get()->lVal = position;
    return index;
}

// A column name (VT_BSTR). A null name is passed as an empty string, which COM takes as the
// same: Wine's ADO reads through a null one.
inline Variant FieldNameIndex(const wchar_t* name) {
    Variant index;
    // The text first: should its copy fail, the VARIANT holds no string to free.
    index.Get()->bstrVal = Bstr(name ? name : L"").Detach();
    index.Get()->vt = VT_BSTR;
    return index;
}
