#pragma once
// The driver-wide owner of the driver's string collection, alive while the driver has users.

#include <windows.h>

#include "platform/SResManager.h"
#include "platform/SWCharString.h"

class ResDllManager {
public:
    ResDllManager() = default;
    ~ResDllManager();
    ResDllManager(const ResDllManager&) = delete;
    ResDllManager& operator=(const ResDllManager&) = delete;

    void Initialize(const SWCharString& collectionName, HINSTANCE module);
    void Terminate();
    bool IsInitialized() const { return initialised_; }

    // Empty when the text is missing in the language and in language 1033.
    SWCharString LoadResourceString(UINT id, const SWCharString& languageName) const;

    // Drive and directory of the module's file, ending in a backslash.
    static HRESULT GetModuleDirectory(HINSTANCE module, SWCharString& directory);

private:
    CSmartRefCountPtr<SResCollection> collection_;
    bool initialised_ = false;
};
