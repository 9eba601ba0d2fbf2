#include "support/recordsetBuilder.h"

#include <stdexcept>
#include <string>

#include "common/bstr.h"
#include "support/sameValue.h"
#include "support/setupCheck.h"
#include "support/variantValues.h"

namespace {

ComPtr<Fields> FieldsOf(const ComPtr<_Recordset>& recordset) {
    ComPtr<Fields> fields;
    CheckSetup(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), "_Recordset::get_Fields");
    return fields;
}

ComPtr<Field> FieldAt(const ComPtr<Fields>& fields, LONG position) {
    ComPtr<Field> field;
    CheckSetup(fields->get_Item(*I4(position).Get(), field.ReleaseAndGetAddressOf()), "Fields::get_Item");
    return field;
}

void FillRows(const ComPtr<_Recordset>& recordset, const ComPtr<Fields>& fields,
              const std::vector<std::vector<Variant>>& rows) {
    Variant none;
    // All rows first, values after: Wine loses earlier rows' values when its row store grows.
    for (size_t row = 0; row < rows.size(); ++row)
        CheckSetup(recordset->AddNew(*none.Get(), *none.Get()), "_Recordset::AddNew");
    CheckSetup(recordset->MoveFirst(), "_Recordset::MoveFirst");
    for (const auto& row : rows) {
        for (size_t column = 0; column < row.size(); ++column)
            CheckSetup(FieldAt(fields, static_cast<LONG>(column))->put_Value(*row[column].Get()), "Field::put_Value");
        CheckSetup(recordset->MoveNext(), "_Recordset::MoveNext");
    }
}

void VerifyRows(const ComPtr<_Recordset>& recordset, const std::vector<std::vector<Variant>>& rows) {
    CheckSetup(recordset->MoveFirst(), "_Recordset::MoveFirst");
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t column = 0; column < rows[row].size(); ++column) {
            if (!SameValue(*ValueAt(recordset, static_cast<LONG>(column)).Get(), *rows[row][column].Get()))
                throw std::runtime_error("ADODB.Recordset lost the value of row " + std::to_string(row) +
                                         ", column " + std::to_string(column));
        }
        CheckSetup(recordset->MoveNext(), "_Recordset::MoveNext");
    }
    CheckSetup(recordset->MoveFirst(), "_Recordset::MoveFirst");
}

}  // namespace

ComPtr<_Recordset> BuildRecordset(const std::vector<Column>& columns, const std::vector<std::vector<Variant>>& rows) {
    CLSID recordsetClass;
    CheckSetup(CLSIDFromProgID(L"ADODB.Recordset", &recordsetClass), "CLSIDFromProgID(ADODB.Recordset)");
    ComPtr<_Recordset> recordset;
    CheckSetup(CoCreateInstance(recordsetClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(_Recordset),
                                reinterpret_cast<void**>(recordset.ReleaseAndGetAddressOf())),
               "CoCreateInstance(ADODB.Recordset)");
    Variant none;
    {
        ComPtr<Fields> fields = FieldsOf(recordset);
        for (const Column& column : columns)
            CheckSetup(fields->Append(Bstr(column.name.c_str()).Get(), column.type, column.definedSize,
                                      FieldAttributeEnum(adFldIsNullable | adFldMayBeNull), *none.Get()),
                       "Fields::Append");
    }
    CheckSetup(recordset->Open(*none.Get(), *none.Get(), adOpenStatic, adLockOptimistic, -1), "_Recordset::Open");
    if (rows.empty()) return recordset;
    // One Fields reference at a time: Wine counts further ones on the recordset.
    FillRows(recordset, FieldsOf(recordset), rows);
    VerifyRows(recordset, rows);
    return recordset;
}

Variant ValueAt(const ComPtr<_Recordset>& recordset, LONG position) {
    Variant value;
    CheckSetup(FieldAt(FieldsOf(recordset), position)->get_Value(value.ReleaseAndGetAddressOf()), "Field::get_Value");
    return value;
}
