#include "recordModeRecordset.h"

#include <new>

#include "common/comError.h"
#include "common/variant.h"
#include "moduleState.h"
#include "recordsetWriter.h"

RecordModeRecordset::RecordModeRecordset(std::wstring providerName, std::shared_ptr<const RecordTree> tree,
                                         ComPtr<_Recordset> inner)
    : providerName_(std::move(providerName)), tree_(std::move(tree)), inner_(std::move(inner)) {
    AddModuleUse();
}

RecordModeRecordset::~RecordModeRecordset() { ReleaseModuleUse(); }

ComPtr<_Recordset> RecordModeRecordset::Create(const std::wstring& providerName,
                                               std::shared_ptr<const RecordTree> tree) {
    ComPtr<_Recordset> inner;
    CheckCom(WriteRecordset(tree->table).As(inner));
    auto* created = new RecordModeRecordset(providerName, std::move(tree), std::move(inner));
    ComPtr<_Recordset> recordset;
    recordset.Attach(created);
    return recordset;
}

HRESULT RecordModeRecordset::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(_Recordset))
        *object = static_cast<_Recordset*>(this);
    else if (iid == __uuidof(ISampleRows))
        *object = static_cast<ISampleRows*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG RecordModeRecordset::AddRef() { return ++references_; }

ULONG RecordModeRecordset::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT RecordModeRecordset::get_ActiveConnection(VARIANT* connection) {
    if (!connection) return E_POINTER;
    VariantInit(connection);
    const std::wstring text = L"Provider=" + providerName_ + L";";
    connection->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!connection->bstrVal) return E_OUTOFMEMORY;
    connection->vt = VT_BSTR;
    return S_OK;
}

HRESULT RecordModeRecordset::CurrentRow(LONG* key, RecordTypeEnum* type) {
    if (!key || !type) return E_POINTER;
    VARIANT_BOOL bof = VARIANT_TRUE, eof = VARIANT_TRUE;
    HRESULT result = inner_->get_BOF(&bof);
    if (SUCCEEDED(result)) result = inner_->get_EOF(&eof);
    if (FAILED(result)) return result;
    if (bof || eof) return kAdoNoCurrentRecord;
    ComPtr<Fields> fields;
    ComPtr<Field> first;
    Variant position, value;
    position.Get()->vt = VT_I4;
    position.Get()->lVal = 0;
    result = inner_->get_Fields(fields.ReleaseAndGetAddressOf());
    if (SUCCEEDED(result)) result = fields->get_Item(*position.Get(), first.ReleaseAndGetAddressOf());
    if (SUCCEEDED(result)) result = first->get_Value(value.ReleaseAndGetAddressOf());
    if (FAILED(result)) return result;
    if (value.Get()->vt != VT_I4) return kAdoNotSupported;
    *key = value.Get()->lVal;
    *type = tree_->children.count(*key) ? adCollectionRecord : adSimpleRecord;
    return S_OK;
}

HRESULT RecordModeRecordset::ChildrenOf(LONG key, _Recordset** children) {
    if (!children) return E_POINTER;
    *children = nullptr;
    const auto found = tree_->children.find(key);
    if (found == tree_->children.end()) return kAdoNotSupported;
    try {
        *children = Create(providerName_, found->second).Detach();
        return S_OK;
    } catch (const ComError& error) {
        return error.Result();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
