#pragma once
// A registered fake provider and the driver in use, as the engine meets them: logon records
// built as the engine builds them, and a logon through DbLogonServer.

#include <memory>
#include <string>

#include "com/dbExports.h"
#include "common/dbLogonInfo.h"
#include "support/dispatchInterfaceBuilder.h"
#include "support/driverInUse.h"
#include "support/registeredProvider.h"

using LogonInfoOwner = std::unique_ptr<DbLogonInfo, LogonInfoDeleter>;

// A logon record whose only property is the Program ID (none at all for a null programId).
LogonInfoOwner MakeLogonInfo(const wchar_t* programId);

// The Program ID property of a logon record the driver made: its value as text, or "<none>"
// when it has no value; "<missing>" when there is no such property.
std::wstring ProgramIdOf(const DbLogonInfo* logonInfo);

struct ErrorList {
    DbErrorInfo* head = nullptr;
    ~ErrorList() { DbFreeErrorInfo(head); }
    size_t Count() const;
};

class ProviderSession {
public:
    ProviderSession(const DispatchInterfaceBuilder& builder, const wchar_t* progId);
    ~ProviderSession();

    // Logs on with the registered ProgID; the handle stays with the session.
    ServerHandle* LogOn();

    FakeProvider provider;
    RegisteredProvider registration;
    ServerHandle* handle = nullptr;

private:
    DriverInUse driver_;
};
