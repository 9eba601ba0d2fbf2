#pragma once
// A table as the sample builds it before ADO holds it: typed columns and rows of VARIANTs.

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "common/variant.h"

struct SampleColumn {
    std::wstring name;
    LONG adoType;        // an ADO DataTypeEnum value
    LONGLONG definedSize;
};

struct SampleTable {
    std::vector<SampleColumn> columns;
    std::vector<std::vector<Variant>> rows;  // each row holds one value per column
};

// Owning VARIANTs of the types the sample tables hold.
Variant TextValue(const std::wstring& text);
Variant IntegerValue(LONG number);
Variant NullValue();
Variant DateValue(int year, int month, int day);
Variant MomentValue(DATE moment);
Variant CurrencyValue(LONGLONG tenThousandths);
// units / 10^scale, exactly
Variant DecimalValue(LONGLONG units, BYTE scale);
Variant DoubleValue(double number);
Variant BooleanValue(bool value);
