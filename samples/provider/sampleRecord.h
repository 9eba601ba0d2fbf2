#pragma once
// ADODB.Record for platforms that have none (Wine): a record opened on a row of one of the
// sample's record-mode recordsets, with what the driver asks of a record there: its state, its
// type and its children. As ADO's record does, it refuses Open while open and Close, RecordType
// and GetChildren while closed; it opens only on the sample's recordsets. The rest of _Record,
// and late binding, answer E_NOTIMPL.

#include <atomic>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"
#include "sampleRows.h"

class SampleRecord final : public _Record {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE get_State(ObjectStateEnum* state) override;
    HRESULT STDMETHODCALLTYPE Open(VARIANT source, VARIANT activeConnection, ConnectModeEnum mode,
                                   RecordCreateOptionsEnum createOptions, RecordOpenOptionsEnum options,
                                   BSTR userName, BSTR password) override;
    HRESULT STDMETHODCALLTYPE Close() override;
    HRESULT STDMETHODCALLTYPE get_RecordType(RecordTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE GetChildren(_Recordset** children) override;

#define NOT_IMPLEMENTED(name, ...) \
    HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) override { return E_NOTIMPL; }
    NOT_IMPLEMENTED(GetTypeInfo, UINT, LCID, ITypeInfo**)
    NOT_IMPLEMENTED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
    NOT_IMPLEMENTED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
    NOT_IMPLEMENTED(get_Properties, Properties**)
    NOT_IMPLEMENTED(get_ActiveConnection, VARIANT*)
    NOT_IMPLEMENTED(put_ActiveConnection, BSTR)
    NOT_IMPLEMENTED(putref_ActiveConnection, _Connection*)
    NOT_IMPLEMENTED(get_Source, VARIANT*)
    NOT_IMPLEMENTED(put_Source, BSTR)
    NOT_IMPLEMENTED(putref_Source, IDispatch*)
    NOT_IMPLEMENTED(get_Mode, ConnectModeEnum*)
    NOT_IMPLEMENTED(put_Mode, ConnectModeEnum)
    NOT_IMPLEMENTED(get_ParentURL, BSTR*)
    NOT_IMPLEMENTED(MoveRecord, BSTR, BSTR, BSTR, BSTR, LONG, VARIANT_BOOL, BSTR*)
    NOT_IMPLEMENTED(CopyRecord, BSTR, BSTR, BSTR, BSTR, LONG, VARIANT_BOOL, BSTR*)
    NOT_IMPLEMENTED(DeleteRecord, BSTR, VARIANT_BOOL)
    NOT_IMPLEMENTED(get_Fields, Fields**)
    NOT_IMPLEMENTED(Cancel)
#undef NOT_IMPLEMENTED

    // Made by CreateSampleRecord (recordClass.h), holding one reference.
    SampleRecord();

private:
    ~SampleRecord();

    std::atomic<ULONG> references_{1};
    ComPtr<ISampleRows> rows_;  // set while open
    LONG key_ = 0;
    RecordTypeEnum type_ = adSimpleRecord;
};
