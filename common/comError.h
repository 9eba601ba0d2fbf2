#pragma once
// The driver's one COM error: a failed HRESULT with the error object of the failing call, when
// it offered one. Every ADO and COM call's HRESULT passes through CheckCom; the export boundary
// turns the error into a result code and an error record.

#include <windows.h>
#include <oaidl.h>

#include <exception>

#include "common/comPtr.h"

class ComError : public std::exception {
public:
    explicit ComError(HRESULT result, ComPtr<IErrorInfo> errorInfo = nullptr) noexcept
        : result_(result), errorInfo_(std::move(errorInfo)) {}

    HRESULT Result() const noexcept { return result_; }
    // Null when the failing interface offered no error object.
    IErrorInfo* ErrorInfo() const noexcept { return errorInfo_.Get(); }
    const char* what() const noexcept override { return "COM call failed"; }

private:
    HRESULT result_;
    ComPtr<IErrorInfo> errorInfo_;
};

// The failure with the thread's error object, taken only when failingInterface declares through
// ISupportErrorInfo that it sets one for iid.
ComError MakeComError(HRESULT result, IUnknown* failingInterface, REFIID iid);
// Raises it.
[[noreturn]] void RaiseComError(HRESULT result, IUnknown* failingInterface, REFIID iid);
// For calls that are not made on an interface (API functions): no error object.
[[noreturn]] void RaiseComError(HRESULT result);
// Takes the thread's error object, if any, and drops it: for a failure that is passed over.
void DiscardThreadErrorInfo() noexcept;
// A failed string or VARIANT allocation.
[[noreturn]] void RaiseOutOfMemory();

inline void CheckCom(HRESULT result, IUnknown* failingInterface, REFIID iid) {
    if (FAILED(result)) RaiseComError(result, failingInterface, iid);
}

template <class I>
void CheckCom(HRESULT result, I* failingInterface) {
    CheckCom(result, failingInterface, __uuidof(I));
}

template <class I>
void CheckCom(HRESULT result, const ComPtr<I>& failingInterface) {
    CheckCom(result, failingInterface.Get(), __uuidof(I));
}

inline void CheckCom(HRESULT result) {
    if (FAILED(result)) RaiseComError(result);
}

// A required interface that is missing fails like a call that returned E_POINTER.
template <class I>
I* RequireInterface(I* object) {
    if (!object) RaiseComError(E_POINTER);
    return object;
}

template <class I>
I* RequireInterface(const ComPtr<I>& object) {
    return RequireInterface(object.Get());
}
