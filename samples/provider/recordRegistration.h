#pragma once
// The sample's record class under the ProgID "ADODB.Record", for platforms without ADO's own
// (Wine): registered only when the ProgID names no class yet or names the sample's, removed
// only when it names the sample's, so that a real ADO record is never replaced.

#include <windows.h>

HRESULT RegisterSampleRecord();
HRESULT UnregisterSampleRecord();
