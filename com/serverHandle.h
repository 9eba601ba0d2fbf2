#pragma once
// One logon: the provider object named by the Program ID, its type information, and the
// methods found to be tables.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <map>
#include <memory>

#include "ado/errorInfo.h"
#include "ado/providerLists.h"
#include "common/comPtr.h"
#include "platform/SWCharString.h"

class ServerHandle {
public:
    ServerHandle(const SWCharString& languageName, const SWCharString& programId)
        : languageName(languageName), programId(programId) {}
    // The object goes before its type information.
    ~ServerHandle() {
        dispatch.Reset();
        typeInfo.Reset();
    }
    ServerHandle(const ServerHandle&) = delete;
    ServerHandle& operator=(const ServerHandle&) = delete;

    SWCharString languageName;
    SWCharString programId;
    ComPtr<IDispatch> dispatch;
    ComPtr<ITypeInfo> typeInfo;
    // Method name (exact, case-sensitive order) to function index; filled by the table list.
    std::map<SWCharString, int32_t> methodIndex;
    // Shared by the handle's rowsets: each list is read at the first rowset that asks it, so a
    // change to the registry's lists takes effect at the next logon.
    std::shared_ptr<ProviderLists> providerLists = std::make_shared<ProviderLists>();
};

// Creates the object for the handle's Program ID and takes its type information.
// 0; 12 when the Program ID names no class; 11 with error record 230 when the object cannot
// be created; 202 when it offers no type information (the object is released again).
int32_t ActivateProvider(ServerHandle& handle, DbErrorInfo** errorInfo);
