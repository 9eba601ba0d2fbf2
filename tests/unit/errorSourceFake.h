#pragma once
// A COM object whose one method fails the way an ADO object does: it places an error object
// with SetErrorInfo and returns a chosen HRESULT. It may offer ISupportErrorInfo with a chosen
// answer. It lives on the test's stack, counts its references and checks them when it goes.

#include <windows.h>
#include <oaidl.h>

#include <gtest/gtest.h>

#include <vector>

struct IErrorSourceProbe : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Fail() = 0;
};
__CRT_UUID_DECL(IErrorSourceProbe, 0x3b1f0c52, 0x9a47, 0x4e0e, 0x8d, 0x61, 0x52, 0x0b, 0x7e, 0x14, 0xc9, 0x2a)

class ErrorSourceFake final : public IErrorSourceProbe, public ISupportErrorInfo {
public:
    ErrorSourceFake(bool offersSupportErrorInfo, HRESULT supportAnswer)
        : offersSupportErrorInfo_(offersSupportErrorInfo), supportAnswer_(supportAnswer) {}
    ~ErrorSourceFake() { EXPECT_EQ(references_, 1u) << "references not balanced"; }
    ErrorSourceFake(const ErrorSourceFake&) = delete;
    ErrorSourceFake& operator=(const ErrorSourceFake&) = delete;

    // Fail() places errorObject (may be null) and returns result.
    void FailWith(HRESULT result, IErrorInfo* errorObject) {
        failure_ = result;
        errorObject_ = errorObject;
    }
    ULONG References() const { return references_; }
    int QueryInterfaceCalls() const { return queryInterfaceCalls_; }
    const std::vector<IID>& AskedForErrorInfo() const { return askedForErrorInfo_; }
    IErrorSourceProbe* Probe() { return this; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        ++queryInterfaceCalls_;
        if (iid == IID_IUnknown || iid == __uuidof(IErrorSourceProbe)) {
            *object = static_cast<IErrorSourceProbe*>(this);
        } else if (iid == IID_ISupportErrorInfo && offersSupportErrorInfo_) {
            *object = static_cast<ISupportErrorInfo*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        // The test's own reference is never handed out, so the count cannot reach 0.
        if (references_ <= 1) {
            ADD_FAILURE() << "released more often than referenced";
            return references_;
        }
        return --references_;
    }

    HRESULT STDMETHODCALLTYPE Fail() override {
        SetErrorInfo(0, errorObject_);
        return failure_;
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        askedForErrorInfo_.push_back(iid);
        return supportAnswer_;
    }

private:
    bool offersSupportErrorInfo_;
    HRESULT supportAnswer_;
    HRESULT failure_ = E_FAIL;
    IErrorInfo* errorObject_ = nullptr;
    ULONG references_ = 1;
    int queryInterfaceCalls_ = 0;
    std::vector<IID> askedForErrorInfo_;
};
