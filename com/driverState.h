#pragma once
// Driver-wide state: the module handle, the user count with its lock, the string collection
// and the language for messages of operations that are not given one.

#include <windows.h>

#include <cstdint>

#include "platform/SWCharString.h"

class ResDllManager;

void OnProcessAttach(HINSTANCE module);

// Reference-counted start and stop; the first start sets up logging and the strings, the last
// stop releases them.
void InitializeDriver(const wchar_t* languageName);
void TerminateDriver();

int32_t DriverUserCount();
const ResDllManager* CurrentResDllManager();

SWCharString DriverLanguage();

// A text of the driver's string table; empty when it is missing or the driver is not in use.
SWCharString LoadResourceString(UINT id, const SWCharString& languageName);
