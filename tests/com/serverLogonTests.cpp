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

struct FailedLogonRow {
    const char* label;
    const wchar_t* programId;
    const wchar_t* language;
    HRESULT createFailure;
    HRESULT typeInfoFailure;
    int32_t result;
    const wchar_t* text;  // of the record put in front of the caller's; null: none
    const wchar_t* programIdKept;
};

TEST(ServerLogon, FailedLogonsGiveTheirCodeAndRecordAndKeepNoReference) {
    ProviderSession session(SalesInterface(), L"ZedbTests.Failing");
    const FailedLogonRow rows[] = {
        {"no Program ID, in the logon language", nullptr, L"de-DE", S_OK, S_OK, 202, L"Please enter a Program ID",
         L"<none>"},
        {"empty Program ID", L"", L"de-DE", S_OK, S_OK, 202, L"Please enter a Program ID", L"<none>"},
        {"unknown ProgID (CLSIDFromProgID and CLSIDFromString fail)", L"ZedbTests.NoSuchClass", L"", S_OK, S_OK, 12,
         nullptr, L"ZedbTests.NoSuchClass"},
        {"creation refused", L"ZedbTests.Failing", L"", CO_E_SERVER_EXEC_FAILURE, S_OK, 11,
         L"Failed to create an instance of the COM object.", L"ZedbTests.Failing"},
        {"no type information", L"ZedbTests.Failing", L"", S_OK, TYPE_E_ELEMENTNOTFOUND, 202, nullptr,
         L"ZedbTests.Failing"},
    };
    for (const FailedLogonRow& row : rows) {
        SCOPED_TRACE(row.label);
        session.registration.Factory().FailCreateInstance(row.createFailure);  // fails CoCreateInstance
        session.provider.FailGetTypeInfo(row.typeInfoFailure);
        ErrorList errors;
        AddErrorInfo(&errors.head, 999, L"earlier");
        LogonInfoOwner logonInfo = MakeLogonInfo(row.programId);
        LogonOutcome logon = LogOn(logonInfo.get(), errors, row.language);
        EXPECT_EQ(logon.result, row.result);
        EXPECT_EQ(logon.handle, nullptr);
        ASSERT_EQ(errors.Count(), row.text ? 2u : 1u);
        if (row.text) {
            EXPECT_EQ(errors.head->code, static_cast<uint32_t>(row.result == 11 ? 230 : row.result));
            EXPECT_STREQ(errors.head->text, row.text);
            EXPECT_EQ(errors.head->nativeError, 0);
        }
        EXPECT_STREQ((row.text ? errors.head->next : errors.head)->text, L"earlier");
        EXPECT_EQ(ProgramIdOf(logon.newLogonInfo.get()), row.programIdKept);
        EXPECT_EQ(session.provider.References(), 1u);
        EXPECT_EQ(session.provider.TypeInfo().References(), 1u);
    }
    EXPECT_EQ(session.registration.Factory().CreateInstanceCalls(), 2) << "the refused and the one without type information";
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
