#include "repeatingProvider.h"

#include <objbase.h>
#include <oleauto.h>

#include <cwchar>
#include <memory>
#include <stdexcept>

#include "common/comError.h"

namespace {

constexpr DISPID kLines = 1;

// Lives as long as the benchmark: its references are not counted.
template <class Interface>
class Immortal : public Interface {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

}  // namespace

class RepeatingProvider::Object final : public Immortal<IDispatch> {
public:
    explicit Object(ComPtr<_Recordset> recordset) : recordset_(std::move(recordset)) {
        // Type information that only needs to exist: the driver asks for it at logon.
        static METHODDATA lines{const_cast<OLECHAR*>(L"Lines"), nullptr, kLines, 7, CC_STDCALL, 0,
                                DISPATCH_METHOD, VT_DISPATCH};
        static INTERFACEDATA description{&lines, 1};
        CheckCom(CreateDispTypeInfo(&description, LOCALE_NEUTRAL, typeInfo_.ReleaseAndGetAddressOf()));
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IDispatch ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) override {
        *typeInfo = ComPtr<ITypeInfo>(typeInfo_).Detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* members) override {
        if (count != 1 || std::wcscmp(names[0], L"Lines") != 0) return DISP_E_UNKNOWNNAME;
        *members = kLines;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (member != kLines) return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = ComPtr<IDispatch>(recordset_).Detach();
        return S_OK;
    }

private:
    ComPtr<_Recordset> recordset_;
    ComPtr<ITypeInfo> typeInfo_;
};

class RepeatingProvider::Factory final : public Immortal<IClassFactory> {
public:
    explicit Factory(Object& object) : object_(object) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        return object_.QueryInterface(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    Object& object_;
};

RepeatingProvider::RepeatingProvider(ComPtr<_Recordset> recordset)
    : object_(std::make_unique<Object>(std::move(recordset))), factory_(std::make_unique<Factory>(*object_)) {
    CLSID clsid;
    CheckCom(CoCreateGuid(&clsid));
    CheckCom(CoRegisterClassObject(clsid, factory_.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &registration_));
    wchar_t text[40];
    if (!StringFromGUID2(clsid, text, 40)) throw std::runtime_error("cannot write a class identifier");
    classId_ = text;
}

RepeatingProvider::~RepeatingProvider() { CoRevokeClassObject(registration_); }

ComPtr<IDispatch> RepeatingProvider::Create() const { return ComPtr<IDispatch>(object_.get()); }
