#include "recordsetWriter.h"

#include <vector>

#include "ado/adoInterfaces.h"
#include "common/bstr.h"
#include "common/comError.h"

namespace {

ComPtr<_Recordset> CreateRecordset() {
    CLSID recordsetClass;
    CheckCom(CLSIDFromProgID(L"ADODB.Recordset", &recordsetClass));
    ComPtr<_Recordset> recordset;
    CheckCom(CoCreateInstance(recordsetClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(_Recordset),
                              reinterpret_cast<void**>(recordset.ReleaseAndGetAddressOf())));
    return recordset;
}

Variant Position(LONG position) {
    Variant index;
    index.Get()->vt = VT_I4;
    index.Get()->lVal = position;
    return index;
}

// One Fields reference at a time: Wine counts further ones on the recordset.
std::vector<ComPtr<Field>> ColumnFields(const ComPtr<_Recordset>& recordset, size_t count) {
    ComPtr<Fields> fields;
    CheckCom(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), recordset);
    std::vector<ComPtr<Field>> columns(count);
    for (size_t i = 0; i < count; ++i)
        CheckCom(fields->get_Item(*Position(static_cast<LONG>(i)).Get(), columns[i].ReleaseAndGetAddressOf()), fields);
    return columns;
}

}  // namespace

ComPtr<IDispatch> WriteRecordset(const SampleTable& table) {
    ComPtr<_Recordset> recordset = CreateRecordset();
    Variant none;
    {
        ComPtr<Fields> fields;
        CheckCom(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), recordset);
        for (const SampleColumn& column : table.columns)
            CheckCom(fields->Append(Bstr(column.name.c_str()).Get(), static_cast<DataTypeEnum>(column.adoType),
                                    column.definedSize, FieldAttributeEnum(adFldIsNullable | adFldMayBeNull),
                                    *none.Get()),
                     fields);
    }
    CheckCom(recordset->Open(*none.Get(), *none.Get(), adOpenStatic, adLockOptimistic, -1), recordset);
    if (!table.rows.empty()) {
        // All rows first, values after: Wine's row store loses earlier rows' values when it
        // grows under rows that already hold values.
        for (size_t row = 0; row < table.rows.size(); ++row)
            CheckCom(recordset->AddNew(*none.Get(), *none.Get()), recordset);
        CheckCom(recordset->MoveFirst(), recordset);
        std::vector<ComPtr<Field>> columns = ColumnFields(recordset, table.columns.size());
        for (const auto& row : table.rows) {
            for (size_t column = 0; column < columns.size(); ++column)
                CheckCom(columns[column]->put_Value(*row[column].Get()), columns[column]);
            CheckCom(recordset->MoveNext(), recordset);
        }
        CheckCom(recordset->MoveFirst(), recordset);
    }
    ComPtr<IDispatch> result;
    CheckCom(recordset.As(result));
    return result;
}
