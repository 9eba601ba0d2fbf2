#include "common/resourceStrings.h"

#include "platform/slimLock.h"

namespace {

struct InstalledManager {
    SlimLock lock;
    std::unique_ptr<ResDllManager> manager;
};

InstalledManager& Installed() {
    static InstalledManager installed;
    return installed;
}

// Constructed when the module loads, so that no export races to construct it.
const bool installedCreated = (Installed(), true);

}  // namespace

void InstallResDllManager(std::unique_ptr<ResDllManager> manager) {
    InstalledManager& installed = Installed();
    ExclusiveLock lock(installed.lock);
    installed.manager = std::move(manager);
}

std::unique_ptr<ResDllManager> RemoveResDllManager() {
    InstalledManager& installed = Installed();
    ExclusiveLock lock(installed.lock);
    return std::move(installed.manager);
}

const ResDllManager* CurrentResDllManager() {
    InstalledManager& installed = Installed();
    SharedLock lock(installed.lock);
    return installed.manager.get();
}

SWCharString LoadResourceString(UINT id, const SWCharString& languageName) {
    InstalledManager& installed = Installed();
    SharedLock lock(installed.lock);
    return installed.manager ? installed.manager->LoadResourceString(id, languageName) : SWCharString();
}
