#include "sampleRecord.h"

#include <new>

#include "moduleState.h"
#include "recordClass.h"

namespace {

// ADO's errors 3704 and 3705.
constexpr HRESULT kAdoObjectClosed = static_cast<HRESULT>(0x800A0E78);
constexpr HRESULT kAdoObjectOpen = static_cast<HRESULT>(0x800A0E79);

}  // namespace

HRESULT CreateSampleRecord(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto* record = new (std::nothrow) SampleRecord();
    if (!record) return E_OUTOFMEMORY;
    const HRESULT result = record->QueryInterface(iid, object);
    record->Release();
    return result;
}

SampleRecord::SampleRecord() { AddModuleUse(); }

SampleRecord::~SampleRecord() { ReleaseModuleUse(); }

HRESULT SampleRecord::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != __uuidof(_Record)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<_Record*>(this);
    AddRef();
    return S_OK;
}

ULONG SampleRecord::AddRef() { return ++references_; }

ULONG SampleRecord::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT SampleRecord::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT SampleRecord::get_State(ObjectStateEnum* state) {
    if (!state) return E_POINTER;
    *state = rows_ ? adStateOpen : adStateClosed;
    return S_OK;
}

// The connection, mode and options are those of a row of a recordset that is already open:
// nothing in them changes what the row is.
HRESULT SampleRecord::Open(VARIANT source, VARIANT, ConnectModeEnum, RecordCreateOptionsEnum, RecordOpenOptionsEnum,
                           BSTR, BSTR) {
    if (rows_) return kAdoObjectOpen;
    if ((source.vt != VT_DISPATCH && source.vt != VT_UNKNOWN) || !source.punkVal) return kAdoNotSupported;
    ComPtr<ISampleRows> rows;
    if (FAILED(ComPtr<IUnknown>(source.punkVal).As(rows))) return kAdoNotSupported;
    const HRESULT result = rows->CurrentRow(&key_, &type_);
    if (FAILED(result)) return result;
    rows_ = std::move(rows);
    return S_OK;
}

HRESULT SampleRecord::Close() {
    if (!rows_) return kAdoObjectClosed;
    rows_.Reset();
    return S_OK;
}

HRESULT SampleRecord::get_RecordType(RecordTypeEnum* type) {
    if (!type) return E_POINTER;
    if (!rows_) return kAdoObjectClosed;
    *type = type_;
    return S_OK;
}

HRESULT SampleRecord::GetChildren(_Recordset** children) {
    if (!children) return E_POINTER;
    *children = nullptr;
    if (!rows_) return kAdoObjectClosed;
    return rows_->ChildrenOf(key_, children);
}
