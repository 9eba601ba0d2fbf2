#include "support/registeredProvider.h"

#include "support/setupCheck.h"

namespace {

const wchar_t classesKey[] = L"Software\\Classes\\";

CLSID FreshClsid() {
    CLSID clsid;
    CheckSetup(CoCreateGuid(&clsid), "CoCreateGuid");
    return clsid;
}

class RegistryKey {
public:
    explicit RegistryKey(const std::wstring& path) {
        CheckSetup(HRESULT_FROM_WIN32(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                                      nullptr, &key_, nullptr)),
                   "RegCreateKeyExW");
    }
    ~RegistryKey() { RegCloseKey(key_); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    void SetDefaultValue(const std::wstring& text) const {
        auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        CheckSetup(HRESULT_FROM_WIN32(RegSetValueExW(key_, nullptr, 0, REG_SZ,
                                                     reinterpret_cast<const BYTE*>(text.c_str()), bytes)),
                   "RegSetValueExW");
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace

RegisteredProvider::RegisteredProvider(FakeProvider& provider, std::wstring progId)
    : RegisteredProvider(provider, std::move(progId), FreshClsid()) {}

RegisteredProvider::RegisteredProvider(FakeProvider& provider, std::wstring progId, const CLSID& clsid)
    : factory_(provider), progId_(std::move(progId)), clsid_(clsid) {
    RegistryKey(classesKey + progId_ + L"\\CLSID").SetDefaultValue(ClsidString());
    HRESULT registered = CoRegisterClassObject(clsid_, static_cast<IClassFactory*>(&factory_),
                                               CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    if (FAILED(registered)) {
        // The destructor does not run for a constructor that throws.
        RemoveProgId();
        CheckSetup(registered, "CoRegisterClassObject");
    }
}

RegisteredProvider::~RegisteredProvider() {
    EXPECT_EQ(CoRevokeClassObject(cookie_), S_OK);
    RemoveProgId();
}

std::wstring RegisteredProvider::ClsidString() const {
    wchar_t text[39];
    StringFromGUID2(clsid_, text, 39);
    return text;
}

void RegisteredProvider::RemoveProgId() const {
    LSTATUS removed = RegDeleteTreeW(HKEY_LOCAL_MACHINE, (classesKey + progId_).c_str());
    EXPECT_EQ(removed, ERROR_SUCCESS) << "removing the ProgID " << HresultText(HRESULT_FROM_WIN32(removed));
}
