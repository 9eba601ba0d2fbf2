#pragma once
// The sample provider registered with regsvr32 for the whole run, as a user registers it, and
// the console run as a user runs it.

#include <string>

#include "processRun.h"

// dbhost.exe with arguments, from the test's directory.
ProcessRun RunConsole(const std::wstring& arguments);
