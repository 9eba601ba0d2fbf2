#pragma once
// Driver-wide state: the module handle, the user count with its lock, and the language for
// messages of operations that are not given one. The string collection is installed in
// common/resourceStrings.h.

#include <windows.h>

#include <cstdint>

#include "platform/SWCharString.h"

void OnProcessAttach(HINSTANCE module);

// Reference-counted start and stop; the first start sets up logging and the strings, the last
// stop releases them. A start that throws leaves the driver as it found it, its user uncounted.
void InitializeDriver(const wchar_t* languageName);
void TerminateDriver();

int32_t DriverUserCount();

SWCharString DriverLanguage();
