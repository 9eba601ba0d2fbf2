#include "sampleProvider.h"

#include <exception>
#include <new>

#include "common/bstr.h"
#include "common/comError.h"
#include "csvReader.h"
#include "csvTable.h"
#include "generatedTable.h"
#include "moduleState.h"
#include "providerErrors.h"
#include "recordModeMethods.h"
#include "recordsetWriter.h"
#include "sampleData.h"

namespace {

// Hands out the recordset that make builds; a failure becomes the method's HRESULT with an
// error object that says what went wrong.
template <class Make>
HRESULT Serve(_Recordset** result, const std::wstring& what, Make&& make) {
    if (!result) return E_POINTER;
    *result = nullptr;
    try {
        ComPtr<IDispatch> recordset = make();
        return recordset->QueryInterface(__uuidof(_Recordset), reinterpret_cast<void**>(result));
    } catch (const ComError& error) {
        return ReportFailure(error.Result(), what + L": " + SystemMessage(error.Result()));
    } catch (const CsvFormatError& error) {
        return ReportFailure(E_INVALIDARG, what + L": " + WideText(error.what()));
    } catch (const std::bad_alloc&) {
        return ReportFailure(E_OUTOFMEMORY, what + L": " + SystemMessage(E_OUTOFMEMORY));
    } catch (const std::exception& error) {
        // Nothing may leave a COM method as an exception.
        return ReportFailure(E_FAIL, what + L": " + WideText(error.what()));
    }
}

}  // namespace

SampleProvider::SampleProvider() { AddModuleUse(); }

SampleProvider::~SampleProvider() { ReleaseModuleUse(); }

HRESULT SampleProvider::Create(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto* provider = new (std::nothrow) SampleProvider();
    if (!provider) return E_OUTOFMEMORY;
    HRESULT result = provider->LoadTypeInfo();
    if (SUCCEEDED(result)) result = provider->QueryInterface(iid, object);
    provider->Release();
    return result;
}

// For a dual interface the library describes the dispatch view; the vtable it describes is the
// view that the dispatch view refers to as its implemented type -1.
HRESULT SampleProvider::LoadTypeInfo() {
    ComPtr<ITypeLib> library;
    HRESULT result = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, library.ReleaseAndGetAddressOf());
    if (FAILED(result)) return result;
    result = library->GetTypeInfoOfGuid(__uuidof(ISampleProvider), dispatchView_.ReleaseAndGetAddressOf());
    if (FAILED(result)) return result;
    HREFTYPE vtable = 0;
    result = dispatchView_->GetRefTypeOfImplType(-1, &vtable);
    if (FAILED(result)) return result;
    return dispatchView_->GetRefTypeInfo(vtable, vtableView_.ReleaseAndGetAddressOf());
}

HRESULT SampleProvider::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(ISampleProvider))
        *object = static_cast<ISampleProvider*>(this);
    else if (iid == IID_ISupportErrorInfo)
        *object = static_cast<ISupportErrorInfo*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG SampleProvider::AddRef() { return ++references_; }

ULONG SampleProvider::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT SampleProvider::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT SampleProvider::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) {
    if (!typeInfo) return E_POINTER;
    *typeInfo = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    *typeInfo = ComPtr<ITypeInfo>(dispatchView_).Detach();
    return S_OK;
}

HRESULT SampleProvider::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return DispGetIDsOfNames(vtableView_.Get(), names, count, ids);
}

HRESULT SampleProvider::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* arguments, VARIANT* result,
                               EXCEPINFO* exception, UINT* argumentError) {
    return DispInvoke(static_cast<ISampleProvider*>(this), vtableView_.Get(), member, flags, arguments, result,
                      exception, argumentError);
}

HRESULT SampleProvider::Customers(_Recordset** result) {
    return Serve(result, L"Customers", [] { return WriteRecordset(CustomersTable()); });
}

HRESULT SampleProvider::Orders(BSTR region, DATE since, _Recordset** result) {
    return Serve(result, L"Orders", [&] { return WriteRecordset(OrdersTable(Bstr(region).Text(), since)); });
}

HRESULT SampleProvider::OrderLines(LONG orderId, _Recordset** result) {
    return Serve(result, L"OrderLines", [&] { return WriteRecordset(OrderLinesTable(orderId)); });
}

HRESULT SampleProvider::GeneratedTable(LONG rows, LONG columns, _Recordset** result) {
    if (rows < 0 || columns < 1)
        return ReportFailure(E_INVALIDARG, L"GeneratedTable: rows must be 0 or more and columns 1 or more");
    return Serve(result, L"GeneratedTable", [&] { return WriteRecordset(::GeneratedTable(rows, columns)); });
}

HRESULT SampleProvider::CsvFile(BSTR path, VARIANT_BOOL asText, _Recordset** result) {
    const std::wstring file = Bstr(path).Text();
    return Serve(result, L"CsvFile(" + file + L")",
                 [&] { return WriteRecordset(CsvFileTable(file, asText != VARIANT_FALSE)); });
}

HRESULT SampleProvider::OrderTree(_Recordset** result) {
    return Serve(result, L"OrderTree", [] { return OrderTreeRecordset(); });
}

HRESULT SampleProvider::ProductProperties(_Recordset** result) {
    return Serve(result, L"ProductProperties", [] { return ProductPropertiesRecordset(); });
}

HRESULT SampleProvider::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(ISampleProvider) ? S_OK : S_FALSE;
}
