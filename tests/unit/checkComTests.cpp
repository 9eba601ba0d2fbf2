// CheckCom takes the error object of a failed call only from an interface that declares support
// for it; the owning wrappers neither leak nor release twice.

#include <gtest/gtest.h>

#include <vector>

#include "common/bstr.h"
#include "common/comError.h"
#include "common/variant.h"
#include "errorObject.h"
#include "support/testDouble.h"

// The interface whose call failed.
struct IErrorSourceProbe : IUnknown {};
__CRT_UUID_DECL(IErrorSourceProbe, 0x3b1f0c52, 0x9a47, 0x4e0e, 0x8d, 0x61, 0x52, 0x0b, 0x7e, 0x14, 0xc9, 0x2a)

namespace {

// Offers ISupportErrorInfo with a chosen answer, unless that is E_NOINTERFACE; records the IIDs
// it is asked about.
class ErrorSourceFake final : public IErrorSourceProbe, public ISupportErrorInfo {
public:
    explicit ErrorSourceFake(HRESULT supportAnswer) : supportAnswer_(supportAnswer) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        if (iid == IID_IUnknown || iid == __uuidof(IErrorSourceProbe))
            *object = static_cast<IErrorSourceProbe*>(this);
        else if (iid == IID_ISupportErrorInfo && supportAnswer_ != E_NOINTERFACE)
            *object = static_cast<ISupportErrorInfo*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return references.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return references.Release(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        asked.push_back(iid);
        return supportAnswer_;
    }

    ReferenceCount references{"ErrorSourceFake"};
    std::vector<IID> asked;

private:
    HRESULT supportAnswer_;
};

// The error a call raises; a call that raises none fails the test.
template <class Call>
ComError Raised(Call call) {
    try {
        call();
    } catch (const ComError& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised";
    return ComError(S_OK);
}

// The thread's error object, taken (and so cleared) for inspection.
ComPtr<IErrorInfo> TakeThreadErrorObject() {
    ComPtr<IErrorInfo> errorObject;
    GetErrorInfo(0, errorObject.ReleaseAndGetAddressOf());
    return errorObject;
}

ULONG ReferencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

TEST(CheckCom, TakesTheErrorObjectOnlyWhenTheFailingInterfaceSupportsIt) {
    struct Case {
        const char* name;
        HRESULT supportAnswer;
        bool taken;
    };
    for (const Case& row : {Case{"supported", S_OK, true}, Case{"answered S_FALSE", S_FALSE, false},
                            Case{"answer failed", E_NOTIMPL, false},
                            Case{"no ISupportErrorInfo", E_NOINTERFACE, false}}) {
        SCOPED_TRACE(row.name);
        ComPtr<IErrorInfo> placed = MakeErrorObject(L"Probe", L"It failed.");
        const ULONG placedReferences = ReferencesOf(placed.Get());
        ErrorSourceFake fake(row.supportAnswer);
        ComPtr<IErrorSourceProbe> probe(&fake);
        SetErrorInfo(0, placed.Get());  // as the failing call does
        const ComError error = Raised([&] { CheckCom(static_cast<HRESULT>(0x800A0D5D), probe); });
        EXPECT_EQ(static_cast<uint32_t>(error.Result()), 0x800A0D5Du);
        EXPECT_EQ(error.ErrorInfo(), row.taken ? placed.Get() : nullptr);
        EXPECT_EQ(fake.asked, std::vector<IID>(row.supportAnswer != E_NOINTERFACE, __uuidof(IErrorSourceProbe)));
        EXPECT_EQ(fake.references.Value(), 2u);
        // A taken object is no longer the thread's; one left alone still is.
        EXPECT_EQ(TakeThreadErrorObject().Get(), row.taken ? nullptr : placed.Get());
        EXPECT_EQ(ReferencesOf(placed.Get()), placedReferences + (row.taken ? 1 : 0));
    }
}

}  // namespace
