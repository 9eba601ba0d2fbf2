#include "support/classRegistration.h"

#include "support/setupCheck.h"

namespace {

const wchar_t kClassesKey[] = L"Software\\Classes\\";

std::wstring ClsidKey(const std::wstring& progId) { return kClassesKey + progId + L"\\CLSID"; }

std::optional<std::wstring> ReadClsid(const std::wstring& progId) {
    wchar_t text[64];
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, ClsidKey(progId).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

LSTATUS WriteClsid(const std::wstring& progId, const std::wstring& clsid) {
    const auto bytes = static_cast<DWORD>((clsid.size() + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, ClsidKey(progId).c_str(), nullptr, REG_SZ, clsid.c_str(), bytes);
}

}  // namespace

CLSID FreshClsid() {
    CLSID clsid;
    CheckSetup(CoCreateGuid(&clsid), "CoCreateGuid");
    return clsid;
}

ClassRegistration::ClassRegistration(IClassFactory& factory, std::wstring progId, const CLSID& clsid)
    : progId_(std::move(progId)), clsid_(clsid) {
    if (!progId_.empty()) {
        previousClsid_ = ReadClsid(progId_);
        CheckSetup(HRESULT_FROM_WIN32(WriteClsid(progId_, ClsidString())), "naming the ProgID");
    }
    const HRESULT registered =
        CoRegisterClassObject(clsid_, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    if (FAILED(registered)) {
        // The destructor does not run for a constructor that throws.
        RestoreProgId();
        CheckSetup(registered, "CoRegisterClassObject");
    }
}

ClassRegistration::~ClassRegistration() {
    EXPECT_EQ(CoRevokeClassObject(cookie_), S_OK);
    RestoreProgId();
}

std::wstring ClassRegistration::ClsidString() const {
    wchar_t text[39];
    StringFromGUID2(clsid_, text, 39);
    return text;
}

void ClassRegistration::RestoreProgId() const {
    if (progId_.empty()) return;
    const LSTATUS restored = previousClsid_ ? WriteClsid(progId_, *previousClsid_)
                                            : RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClassesKey + progId_).c_str());
    EXPECT_EQ(restored, ERROR_SUCCESS) << "restoring the ProgID " << HresultText(HRESULT_FROM_WIN32(restored));
}
