#include "providerSession.h"

#include <gtest/gtest.h>

#include "common/dbvalue.h"
#include "common/propcoll.h"

LogonInfoOwner MakeLogonInfo(const wchar_t* programId) {
    LogonInfoOwner logonInfo(NewLogonInfo());
    if (programId) {
        DbValue value;
        SetDiscreteValue(value, stringValue, const_cast<wchar_t*>(programId), true);
        AddNewProperty(*logonInfo->properties, L"Program ID", L"Program ID", nullptr, stringValue, 0, &value);
    }
    return logonInfo;
}

std::wstring ProgramIdOf(const DbLogonInfo* logonInfo) {
    if (!logonInfo || !logonInfo->properties) return L"<missing>";
    const DbProperty* property = FindProperty(logonInfo->properties, L"Program ID", true, nullptr);
    if (!property) return L"<missing>";
    if (!property->value || property->value->kind != discreteValueKind) return L"<none>";
    return static_cast<const wchar_t*>(property->value->data);
}

size_t ErrorList::Count() const {
    size_t count = 0;
    for (const DbErrorInfo* record = head; record; record = record->next) ++count;
    return count;
}

ProviderSession::ProviderSession(const DispatchInterfaceBuilder& builder, const wchar_t* progId)
    : provider(builder.Build()), registration(provider, progId) {}

ProviderSession::~ProviderSession() { DbLogoffServer(handle); }

ServerHandle* ProviderSession::LogOn() {
    LogonInfoOwner logonInfo = MakeLogonInfo(registration.ProgId().c_str());
    DbLogonInfo* newLogonInfo = nullptr;
    DbErrorInfo* errors = nullptr;
    EXPECT_EQ(DbLogonServer(logonInfo.get(), &newLogonInfo, nullptr, nullptr, L"", &handle, &errors), 0);
    EXPECT_EQ(errors, nullptr);
    DbFreeLogonInfo(newLogonInfo);
    DbFreeErrorInfo(errors);
    return handle;
}
