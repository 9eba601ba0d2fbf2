#pragma once
// The sample's entries in the registry: its class under HKEY_CLASSES_ROOT\CLSID with this
// module as in-process server, its ProgID, and its type library. Removing them leaves nothing.

#include <windows.h>

constexpr wchar_t kSampleProgId[] = L"ZedbSample.Provider";

HRESULT RegisterSampleProvider();
HRESULT UnregisterSampleProvider();
