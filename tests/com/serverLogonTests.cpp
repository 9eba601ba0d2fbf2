// Logging on to a registered provider through DbLogonServer, and what every outcome leaves.

#include <gtest/gtest.h>

#include "com/serverHandle.h"
#include "common/propcoll.h"
#include "providerSession.h"

namespace {

DispatchInterfaceBuilder SalesInterface() {
    DispatchInterfaceBuilder builder(L"ISales");
    builder.Method(L"GetCustomers", Returns::Recordset).Param(L"country", VT_BSTR);
    return builder;
}

struct LogonOutcome {
    int32_t result;
    LogonInfoOwner newLogonInfo;
    ServerHandle* handle;
};

LogonOutcome LogOn(const DbLogonInfo* logonInfo, ErrorList& errors, const wchar_t* language = L"") {
    DbLogonInfo* newLogonInfo = reinterpret_cast<DbLogonInfo*>(0x1);
    ServerHandle* handle = reinterpret_cast<ServerHandle*>(0x1);
    int32_t result = DbLogonServer(const_cast<DbLogonInfo*>(logonInfo), &newLogonInfo, nullptr, nullptr, language,
                                   &handle, &errors.head);
    return {result, LogonInfoOwner(newLogonInfo), handle};
}

std::wstring ServerName(ServerHandle* handle) {
    wchar_t* name = nullptr;
    if (DbFetchServerName(handle, &name) != 0) return L"<failed>";
    std::wstring text = name;
    DbFreeString(name);
    return text;
}

TEST(ServerLogon, ByProgIdAndByBraceClsidHoldingOneReferenceEach) {
    ProviderSession session(SalesInterface(), L"ZedbTests.Sales");
    for (std::wstring programId : {std::wstring(L"zedbtests.SALES"), session.registration.ClsidString()}) {
        ErrorList errors;
        LogonInfoOwner logonInfo = MakeLogonInfo(programId.c_str());
        LogonOutcome logon = LogOn(logonInfo.get(), errors);
        ASSERT_EQ(logon.result, 0);
        ASSERT_NE(logon.handle, nullptr);
        EXPECT_EQ(errors.head, nullptr);
        EXPECT_EQ(ProgramIdOf(logon.newLogonInfo.get()), programId);
        EXPECT_EQ(ServerName(logon.handle), programId);
        EXPECT_TRUE(logon.handle->methodIndex.empty());
        EXPECT_EQ(session.provider.References(), 2u);
        EXPECT_EQ(session.provider.TypeInfo().References(), 2u);

        EXPECT_EQ(DbLogoffServer(logon.handle), 0);
        EXPECT_EQ(session.provider.References(), 1u);
        EXPECT_EQ(session.provider.TypeInfo().References(), 1u);
    }
    EXPECT_EQ(session.registration.Factory().CreateInstanceCalls(), 2);
}

TEST(ServerLogon, EmptyProgramIdAsksForOneInTheLogonLanguage) {
    for (const wchar_t* programId : {static_cast<const wchar_t*>(nullptr), L""}) {
        DriverInUse driver;
        ErrorList errors;
        LogonInfoOwner logonInfo = MakeLogonInfo(programId);
        LogonOutcome logon = LogOn(logonInfo.get(), errors, L"de-DE");
        EXPECT_EQ(logon.result, 202);
        EXPECT_EQ(logon.handle, nullptr);
        ASSERT_EQ(errors.Count(), 1u);
        EXPECT_EQ(errors.head->code, 202u);
        EXPECT_STREQ(errors.head->text, L"Please enter a Program ID");
        EXPECT_EQ(errors.head->nativeError, 0);
        EXPECT_EQ(ProgramIdOf(logon.newLogonInfo.get()), L"<none>");
    }
}

TEST(ServerLogon, UnknownProgIdIsAnInvalidArgumentWithoutErrorRecord) {
    DriverInUse driver;
    ErrorList errors;
    LogonInfoOwner logonInfo = MakeLogonInfo(L"ZedbTests.NoSuchClass");
    LogonOutcome logon = LogOn(logonInfo.get(), errors);
    EXPECT_EQ(logon.result, 12);
    EXPECT_EQ(logon.handle, nullptr);
    EXPECT_EQ(errors.head, nullptr);
    EXPECT_EQ(ProgramIdOf(logon.newLogonInfo.get()), L"ZedbTests.NoSuchClass");
}

TEST(ServerLogon, RefusedCreationPutsMessage230InFrontOfTheList) {
    ProviderSession session(SalesInterface(), L"ZedbTests.Refusing");
    session.registration.Factory().FailCreateInstance(CO_E_SERVER_EXEC_FAILURE);
    ErrorList errors;
    AddErrorInfo(&errors.head, 999, L"earlier");
    LogonInfoOwner logonInfo = MakeLogonInfo(L"ZedbTests.Refusing");
    LogonOutcome logon = LogOn(logonInfo.get(), errors);
    EXPECT_EQ(logon.result, 11);
    EXPECT_EQ(logon.handle, nullptr);
    ASSERT_EQ(errors.Count(), 2u);
    EXPECT_EQ(errors.head->code, 230u);
    EXPECT_STREQ(errors.head->text, L"Failed to create an instance of the COM object.");
    EXPECT_STREQ(errors.head->next->text, L"earlier");
    EXPECT_EQ(ProgramIdOf(logon.newLogonInfo.get()), L"ZedbTests.Refusing");
    EXPECT_EQ(session.provider.References(), 1u);
}

TEST(ServerLogon, ObjectWithoutTypeInformationIsReleased) {
    ProviderSession session(SalesInterface(), L"ZedbTests.NoTypeInfo");
    session.provider.FailGetTypeInfo(TYPE_E_ELEMENTNOTFOUND);
    ErrorList errors;
    LogonInfoOwner logonInfo = MakeLogonInfo(L"ZedbTests.NoTypeInfo");
    LogonOutcome logon = LogOn(logonInfo.get(), errors);
    EXPECT_EQ(logon.result, 202);
    EXPECT_EQ(logon.handle, nullptr);
    EXPECT_EQ(errors.head, nullptr);
    EXPECT_EQ(session.registration.Factory().CreateInstanceCalls(), 1);
    EXPECT_EQ(session.provider.References(), 1u);
    EXPECT_EQ(session.provider.TypeInfo().References(), 1u);
}

TEST(ServerLogon, MissingArgumentsAndNullHandles) {
    DriverInUse driver;
    ErrorList errors;
    LogonOutcome logon = LogOn(nullptr, errors);
    EXPECT_EQ(logon.result, 12);
    EXPECT_EQ(logon.newLogonInfo, nullptr);
    EXPECT_EQ(logon.handle, nullptr);

    // A record without a property collection names no Program ID.
    LogonInfoOwner withoutCollection = MakeLogonInfo(nullptr);
    PropertyCollectionDeleter()(withoutCollection->properties);
    withoutCollection->properties = nullptr;
    LogonOutcome bare = LogOn(withoutCollection.get(), errors);
    EXPECT_EQ(bare.result, 202);
    EXPECT_EQ(bare.handle, nullptr);
    EXPECT_EQ(errors.Count(), 1u);

    EXPECT_EQ(DbLogoffServer(nullptr), 0);
    wchar_t* name = reinterpret_cast<wchar_t*>(0x1);
    EXPECT_EQ(DbFetchServerName(nullptr, &name), 12);
    EXPECT_EQ(name, nullptr);
}

}  // namespace
