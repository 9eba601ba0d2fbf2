#include "generatedTable.h"

#include <string>

#include "ado/adoInterfaces.h"

namespace {

const SampleColumn kColumnKinds[] = {
    {L"Number", adInteger, 4}, {L"Text", adVarWChar, 32},   {L"Ratio", adDouble, 8},
    {L"Amount", adCurrency, 8}, {L"Day", adDate, 8},        {L"Measure", adDecimal, 16},
};
constexpr LONG kKindCount = sizeof(kColumnKinds) / sizeof(kColumnKinds[0]);

Variant GeneratedValue(LONG row, LONG column) {
    // A number that differs from cell to cell, so that every column varies down the rows.
    const LONGLONG cellNumber = row * 31LL + column * 7LL;
    switch (column % kKindCount) {
    case 0: return IntegerValue(row + 1);
    case 1: return row % 10 == 9 ? NullValue() : TextValue(L"row " + std::to_wstring(row + 1));
    case 2: return DoubleValue(static_cast<double>(cellNumber) / 8);
    case 3: return CurrencyValue(cellNumber * 125);
    case 4: return DateValue(2000 + row % 27, 1 + row % 12, 1 + row % 28);
    default: return DecimalValue(cellNumber * 1001, 3);
    }
}

}  // namespace

SampleTable GeneratedTable(LONG rows, LONG columns) {
    SampleTable table;
    for (LONG column = 0; column < columns; ++column) {
        SampleColumn kind = kColumnKinds[column % kKindCount];
        kind.name += std::to_wstring(column + 1);
        table.columns.push_back(kind);
    }
    table.rows.reserve(rows > 0 ? rows : 0);
    for (LONG row = 0; row < rows; ++row) {
        std::vector<Variant> values;
        values.reserve(columns);
        for (LONG column = 0; column < columns; ++column) values.push_back(GeneratedValue(row, column));
        table.rows.push_back(std::move(values));
    }
    return table;
}
