#include "common/comError.h"

namespace {

// Only an object that declares support for the interface has set the thread's error object
// for this failure; any other error object there belongs to an earlier call.
ComPtr<IErrorInfo> TakeErrorInfo(IUnknown* failingInterface, REFIID iid) {
    ComPtr<IErrorInfo> errorInfo;
    if (!failingInterface) return errorInfo;
    ComPtr<ISupportErrorInfo> support;
    if (FAILED(ComPtr<IUnknown>(failingInterface).As(support)) || !support) return errorInfo;
    if (support->InterfaceSupportsErrorInfo(iid) != S_OK) return errorInfo;
    if (GetErrorInfo(0, errorInfo.ReleaseAndGetAddressOf()) != S_OK) errorInfo.Reset();
    return errorInfo;
}

}  // namespace

ComError MakeComError(HRESULT result, IUnknown* failingInterface, REFIID iid) {
    return ComError(result, TakeErrorInfo(failingInterface, iid));
}

void RaiseComError(HRESULT result, IUnknown* failingInterface, REFIID iid) {
    throw MakeComError(result, failingInterface, iid);
}

void RaiseComError(HRESULT result) { throw ComError(result); }

void RaiseOutOfMemory() { throw ComError(E_OUTOFMEMORY); }

void DiscardThreadErrorInfo() noexcept {
    ComPtr<IErrorInfo> stale;
    GetErrorInfo(0, stale.ReleaseAndGetAddressOf());
}
