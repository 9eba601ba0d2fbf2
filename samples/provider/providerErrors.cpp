#include "providerErrors.h"

#include <oaidl.h>

#include "common/comPtr.h"
#include "sampleProvider_h.h"

namespace {
const wchar_t kSource[] = L"ZedbSample.Provider";
}

HRESULT ReportFailure(HRESULT result, const std::wstring& description) {
    ComPtr<ICreateErrorInfo> created;
    if (FAILED(CreateErrorInfo(created.ReleaseAndGetAddressOf()))) return result;
    created->SetGUID(__uuidof(ISampleProvider));
    created->SetSource(const_cast<LPOLESTR>(kSource));
    created->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    ComPtr<IErrorInfo> errorInfo;
    if (SUCCEEDED(created.As(errorInfo))) SetErrorInfo(0, errorInfo.Get());
    return result;
}

std::wstring SystemMessage(HRESULT result) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"error " + std::to_wstring(result);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

std::wstring WideText(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring text(length - 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
    return text;
}
