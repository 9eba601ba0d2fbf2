#include <cwchar>

#include "ado/adoCommon.h"
#include "common/resourceStrings.h"
#include "common/resultCodes.h"
#include "common/bstr.h"
#include "platform/logBridge.h"

namespace {

constexpr UINT kErrorCodeLabel = 72;
constexpr UINT kSourceLabel = 73;
constexpr UINT kDescriptionLabel = 74;
constexpr int32_t kErrorLogLevel = 1;

// A line feed, the label, ": " and the value; nothing when the value is empty or cannot be read.
void AppendLine(SWCharString& text, UINT label, const SWCharString& languageName, HRESULT queried,
                const Bstr& value) {
    if (FAILED(queried) || value.IsEmpty()) return;
    text += L'\n';
    text += LoadResourceString(label, languageName);
    text += L": ";
    text += value.Text();
}

SWCharString ComErrorText(const ComError& error, const SWCharString& languageName) {
    wchar_t hex[16];
    std::swprintf(hex, 16, L"%x", static_cast<unsigned int>(error.Result()));
    SWCharString text = LoadResourceString(kErrorCodeLabel, languageName);
    text += L": 0x";
    text += hex;
    if (IErrorInfo* errorInfo = error.ErrorInfo()) {
        Bstr source;
        HRESULT querySource = errorInfo->GetSource(source.ReleaseAndGetAddressOf());
        AppendLine(text, kSourceLabel, languageName, querySource, source);
        Bstr description;
        HRESULT queryDescription = errorInfo->GetDescription(description.ReleaseAndGetAddressOf());
        AppendLine(text, kDescriptionLabel, languageName, queryDescription, description);
    }
    return text;
}

struct TemporaryErrorList {
    DbErrorInfo* head = nullptr;
    ~TemporaryErrorList() { FreeErrorInfoChain(head); }
};

}  // namespace

int32_t ReportComError(const ComError& error, DbErrorInfo** errorInfo, const SWCharString& languageName,
                       int32_t defaultCode) {
    SWCharString text = ComErrorText(error, languageName);
    int32_t code = MapHResultToResultCode(error.Result(), defaultCode);
    if (errorInfo) AddErrorInfo(errorInfo, static_cast<uint32_t>(code), text.c_str());
    RuntimeInfoToLogfile("adoCommon", __LINE__, text.c_str(), kErrorLogLevel);
    return code;
}

int32_t ResultCodeFromComError(const ComError& error) {
    TemporaryErrorList temporary;
    return ReportComError(error, &temporary.head, SWCharString(), DbFailed);
}
