// The error object of a failed call is taken only from an interface that declares support.

#include <gtest/gtest.h>

#include "common/comError.h"
#include "errorObject.h"
#include "errorSourceFake.h"

namespace {

// The thread's error object, taken (and so cleared) for inspection.
ComPtr<IErrorInfo> TakeThreadErrorObject() {
    ComPtr<IErrorInfo> errorObject;
    GetErrorInfo(0, errorObject.ReleaseAndGetAddressOf());
    return errorObject;
}

struct SupportCase {
    const char* name;
    bool offersSupportErrorInfo;
    HRESULT supportAnswer;
    bool errorObjectTaken;
};

const SupportCase kSupportCases[] = {
    {"supported", true, S_OK, true},
    {"answered S_FALSE", true, S_FALSE, false},
    {"answer failed", true, E_NOTIMPL, false},
    {"no ISupportErrorInfo", false, S_OK, false},
};

TEST(CheckCom, TakesTheErrorObjectOnlyWhenTheFailingInterfaceSupportsIt) {
    for (const SupportCase& row : kSupportCases) {
        SCOPED_TRACE(row.name);
        ComPtr<IErrorInfo> placed = MakeErrorObject(L"Probe", L"It failed.");
        ULONG placedReferences = ReferencesOf(placed.Get());
        ErrorSourceFake fake(row.offersSupportErrorInfo, row.supportAnswer);
        fake.FailWith(0x800A0D5D, placed.Get());
        ComPtr<IErrorSourceProbe> probe(fake.Probe());
        try {
            CheckCom(probe->Fail(), probe);
            ADD_FAILURE() << "no error raised";
        } catch (const ComError& error) {
            EXPECT_EQ(static_cast<uint32_t>(error.Result()), 0x800A0D5Du);
            EXPECT_EQ(error.ErrorInfo(), row.errorObjectTaken ? placed.Get() : nullptr);
        }
        std::vector<IID> expectedQuestions;
        if (row.offersSupportErrorInfo) expectedQuestions.push_back(__uuidof(IErrorSourceProbe));
        EXPECT_EQ(fake.AskedForErrorInfo(), expectedQuestions);
        EXPECT_EQ(fake.References(), 2u);
        // A taken object is no longer the thread's; one left alone still is.
        EXPECT_EQ(TakeThreadErrorObject().Get(), row.errorObjectTaken ? nullptr : placed.Get());
        EXPECT_EQ(ReferencesOf(placed.Get()), placedReferences);
    }
}

TEST(CheckCom, AsksAboutTheInterfaceItIsGiven) {
    ErrorSourceFake fake(true, S_FALSE);
    EXPECT_THROW(CheckCom(E_FAIL, fake.Probe(), IID_IDispatch), ComError);
    ASSERT_EQ(fake.AskedForErrorInfo().size(), 1u);
    EXPECT_EQ(fake.AskedForErrorInfo()[0], IID_IDispatch);
    EXPECT_THROW(CheckCom(E_FAIL, fake.Probe()), ComError);
    ASSERT_EQ(fake.AskedForErrorInfo().size(), 2u);
    EXPECT_EQ(fake.AskedForErrorInfo()[1], __uuidof(IErrorSourceProbe));
}

TEST(CheckCom, SuccessCodesPassWithoutTouchingTheInterface) {
    ErrorSourceFake fake(true, S_OK);
    for (HRESULT success : {S_OK, S_FALSE, static_cast<HRESULT>(0x00040EC0)}) {
        EXPECT_NO_THROW(CheckCom(success, fake.Probe()));
        EXPECT_NO_THROW(CheckCom(success));
    }
    EXPECT_EQ(fake.QueryInterfaceCalls(), 0);
}

TEST(CheckCom, ACallWithoutAnInterfaceCarriesNoErrorObject) {
    ComPtr<IErrorInfo> placed = MakeErrorObject(L"Elsewhere", nullptr);
    SetErrorInfo(0, placed.Get());
    try {
        CheckCom(REGDB_E_CLASSNOTREG);
        ADD_FAILURE() << "no error raised";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Result(), REGDB_E_CLASSNOTREG);
        EXPECT_EQ(error.ErrorInfo(), nullptr);
    }
    EXPECT_EQ(TakeThreadErrorObject().Get(), placed.Get());
}

TEST(CheckCom, AMissingRequiredInterfaceIsEPointer) {
    ErrorSourceFake fake(false, S_OK);
    EXPECT_EQ(RequireInterface(fake.Probe()), fake.Probe());
    ComPtr<IErrorSourceProbe> missing;
    try {
        RequireInterface(missing);
        ADD_FAILURE() << "no error raised";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Result(), E_POINTER);
        EXPECT_EQ(error.ErrorInfo(), nullptr);
    }
}

}  // namespace
