#pragma once
// The sample provider registered with regsvr32 for the whole run, as a user registers it, and
// the registry as it was before: the sample's own keys (with its record class under
// "ADODB.Record", which Wine lacks) and ADO's recordset interface, which the sample's type
// library names but must leave alone; that one comes last.

#include <string>
#include <vector>

#include "processRun.h"

ProcessRun Regsvr32(bool unregister);
std::vector<std::wstring> SnapshotSampleKeys();
// Taken after any earlier run's registration was removed and before this run's.
const std::vector<std::wstring>& SampleKeysBeforeRegistration();

// dbhost.exe with arguments, from the test's directory.
ProcessRun RunConsole(const std::wstring& arguments);
