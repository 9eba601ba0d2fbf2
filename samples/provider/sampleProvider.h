#pragma once
// The sample data provider object: ISampleProvider's methods build ADO recordsets; its IDispatch
// is OLE Automation's DispInvoke over the type library, which hands out the dual interface's
// dispatch view as its type information.

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <string>

#include "common/comPtr.h"
#include "sampleProvider_h.h"

class SampleProvider final : public ISampleProvider, public ISupportErrorInfo {
public:
    // Fails when the type library in the module cannot be read.
    static HRESULT Create(REFIID iid, void** object);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* arguments,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // ISampleProvider
    HRESULT STDMETHODCALLTYPE Customers(_Recordset** result) override;
    HRESULT STDMETHODCALLTYPE Orders(BSTR region, DATE since, _Recordset** result) override;
    HRESULT STDMETHODCALLTYPE OrderLines(LONG orderId, _Recordset** result) override;
    HRESULT STDMETHODCALLTYPE GeneratedTable(LONG rows, LONG columns, _Recordset** result) override;
    HRESULT STDMETHODCALLTYPE CsvFile(BSTR path, VARIANT_BOOL asText, _Recordset** result) override;
    HRESULT STDMETHODCALLTYPE OrderTree(_Recordset** result) override;
    HRESULT STDMETHODCALLTYPE ProductProperties(_Recordset** result) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

private:
    SampleProvider();
    ~SampleProvider();
    HRESULT LoadTypeInfo();

    std::atomic<ULONG> references_{1};
    ComPtr<ITypeInfo> dispatchView_;   // what GetTypeInfo hands out
    ComPtr<ITypeInfo> vtableView_;     // what DispInvoke calls through
};
