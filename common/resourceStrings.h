#pragma once
// The driver's string collection while the driver is in use, and the look-up of its texts that
// every layer uses.

#include <windows.h>

#include <memory>

#include "common/resdllmgr.h"
#include "platform/SWCharString.h"

// The first start of the driver installs the manager; the last stop takes it back. A look-up
// running meanwhile on another thread keeps the manager alive until it has its text.
void InstallResDllManager(std::unique_ptr<ResDllManager> manager);
std::unique_ptr<ResDllManager> RemoveResDllManager();
const ResDllManager* CurrentResDllManager();

// A text of the driver's string table; empty when it is missing or the driver is not in use.
SWCharString LoadResourceString(UINT id, const SWCharString& languageName);
