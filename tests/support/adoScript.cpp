#include "support/adoScript.h"

#include <oleauto.h>

#include "common/bstr.h"
#include "common/comPtr.h"

namespace {

void SetThreadErrorObject(const wchar_t* description) {
    ComPtr<ICreateErrorInfo> creator;
    if (FAILED(CreateErrorInfo(creator.ReleaseAndGetAddressOf()))) return;
    creator->SetSource(const_cast<LPOLESTR>(kScriptedErrorSource));
    creator->SetDescription(const_cast<LPOLESTR>(description));
    ComPtr<IErrorInfo> errorInfo;
    if (SUCCEEDED(creator.As(errorInfo))) SetErrorInfo(0, errorInfo.Get());
}

}  // namespace

HRESULT AdoScript::Answer(const std::string& call) {
    ++calls_[call];
    auto failure = failures_.find(call);
    if (failure == failures_.end() || SUCCEEDED(failure->second.result)) return S_OK;
    if (failure->second.passing > 0) {
        --failure->second.passing;
        return S_OK;
    }
    const Failure failing = failure->second;
    if (failing.once) failures_.erase(failure);
    lastWithErrorObject_ = failing.withErrorObject;
    const std::wstring description(call.begin(), call.end());
    SetThreadErrorObject(lastWithErrorObject_ ? (description + L" failed on purpose").c_str()
                                              : L"stale error object");
    return failing.result;
}

HRESULT AdoScript::Refuse(const std::string& call, HRESULT result, const wchar_t* description) {
    ++calls_[call];
    lastWithErrorObject_ = true;
    SetThreadErrorObject(description);
    return result;
}

int AdoScript::Calls(const std::string& call) const {
    auto found = calls_.find(call);
    return found == calls_.end() ? 0 : found->second;
}
