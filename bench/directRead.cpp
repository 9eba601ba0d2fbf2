#include "directRead.h"

#include <vector>

#include "common/comError.h"
#include "common/variant.h"

ComPtr<_Recordset> GeneratedRecordset(const wchar_t* programId, long rows, long columns) {
    CLSID classId;
    CheckCom(CLSIDFromProgID(programId, &classId));
    ComPtr<IDispatch> provider;
    CheckCom(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(provider.ReleaseAndGetAddressOf())));
    LPOLESTR name = const_cast<LPOLESTR>(L"GeneratedTable");
    DISPID member = DISPID_UNKNOWN;
    CheckCom(provider->GetIDsOfNames(IID_NULL, &name, 1, 0, &member), provider);
    // Positional arguments in reverse order.
    Variant arguments[2];
    arguments[0].Get()->vt = VT_I4;
    arguments[0].Get()->lVal = columns;
    arguments[1].Get()->vt = VT_I4;
    arguments[1].Get()->lVal = rows;
    DISPPARAMS parameters{arguments[0].Get(), nullptr, 2, 0};
    Variant result;
    CheckCom(provider->Invoke(member, IID_NULL, 0, DISPATCH_METHOD, &parameters, result.Get(), nullptr, nullptr),
             provider);
    if (result.Get()->vt != VT_DISPATCH || !result.Get()->pdispVal) RaiseComError(E_UNEXPECTED);
    ComPtr<_Recordset> recordset;
    CheckCom(ComPtr<IDispatch>(result.Get()->pdispVal).As(recordset));
    return recordset;
}

uint64_t ReadDirectly(const ComPtr<_Recordset>& recordset) {
    ComPtr<Fields> fields;
    CheckCom(recordset->get_Fields(fields.ReleaseAndGetAddressOf()), recordset);
    LONG count = 0;
    CheckCom(fields->get_Count(&count), fields);
    std::vector<ComPtr<Field>> columns(count);
    for (LONG i = 0; i < count; ++i) {
        Variant index;
        index.Get()->vt = VT_I4;
        index.Get()->lVal = i;
        CheckCom(fields->get_Item(*index.Get(), columns[i].ReleaseAndGetAddressOf()), fields);
    }
    fields.Reset();

    CheckCom(recordset->MoveFirst(), recordset);
    Variant value;
    uint64_t rows = 0;
    VARIANT_BOOL eof = VARIANT_FALSE;
    CheckCom(recordset->get_EOF(&eof), recordset);
    while (!eof) {
        for (const ComPtr<Field>& column : columns) CheckCom(column->get_Value(value.ReleaseAndGetAddressOf()), column);
        ++rows;
        CheckCom(recordset->MoveNext(), recordset);
        CheckCom(recordset->get_EOF(&eof), recordset);
    }
    return rows;
}
