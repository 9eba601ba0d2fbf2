#include "recordsetColumns.h"

#include <memory>

#include "ado/adoInterfaces.h"
#include "com/methodInvocation.h"
#include "common/bstr.h"
#include "common/duplicateText.h"
#include "common/resultCodes.h"

namespace {

// The parameter list that the driver hands DbFetchTableFields' invocation: a record of each
// described parameter's type, none for the others.
std::vector<std::unique_ptr<DbParameterDescription>> ParameterRecords(const FunctionCheck& table) {
    std::vector<std::unique_ptr<DbParameterDescription>> records;
    for (const ParameterCheck& parameter : table.parameters) {
        if (parameter.type.verdict != ParameterVerdict::Described) {
            records.emplace_back();
            continue;
        }
        records.push_back(std::make_unique<DbParameterDescription>());
        records.back()->valueType = parameter.type.valueType;
        records.back()->typeOptions = parameter.type.typeOptions;
    }
    return records;
}

HRESULT ReadColumns(_Recordset& recordset, std::vector<RecordsetColumn>& columns) {
    ComPtr<Fields> fields;
    HRESULT result = recordset.get_Fields(fields.ReleaseAndGetAddressOf());
    if (FAILED(result) || !fields) return result;
    LONG count = 0;
    if (FAILED(result = fields->get_Count(&count))) return result;
    for (LONG i = 0; i < count; ++i) {
        VARIANT index;
        index.vt = VT_I4;
        index.lVal = i;
        ComPtr<Field> field;
        Bstr name;
        DataTypeEnum type = adEmpty;
        AdoLongPtr size = 0;
        if (FAILED(result = fields->get_Item(index, field.ReleaseAndGetAddressOf()))) return result;
        if (!field) return E_POINTER;
        if (FAILED(result = field->get_Name(name.ReleaseAndGetAddressOf())) ||
            FAILED(result = field->get_Type(&type)) || FAILED(result = field->get_DefinedSize(&size)))
            return result;
        columns.push_back({name.Get() ? name.Get() : L"", type, size});
    }
    return S_OK;
}

}  // namespace

RecordsetColumns ReadRecordsetColumns(IDispatch* provider, const std::wstring& programId, const FunctionCheck& table) {
    ServerHandle handle(SWCharString(L""), SWCharString(programId.c_str()));
    handle.dispatch = ComPtr<IDispatch>(provider);
    DbTableInfo tableInfo;
    tableInfo.firstText = DuplicateText(table.name.c_str());
    std::vector<std::unique_ptr<DbParameterDescription>> records = ParameterRecords(table);
    std::vector<DbParameterDescription*> parameters;
    for (const auto& record : records) parameters.push_back(record.get());

    RecordsetColumns read;
    ComPtr<_Recordset> recordset;
    InvocationFailure failure;
    read.result = InvokeMethod(handle, tableInfo, parameters.data(), nullptr, static_cast<uint32_t>(parameters.size()),
                               recordset, failure);
    if (read.result == DbSuccess && recordset) read.failure = ReadColumns(*recordset.Get(), read.columns);
    return read;
}
