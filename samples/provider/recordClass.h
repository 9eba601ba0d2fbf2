#pragma once
// The sample's record class as COM sees it: its class identifier and how an object is made.
// Free of ADO's declarations, which clash with the type library's header.

#include <windows.h>

// {FBDE6AC1-1ADC-41CF-B7A7-F44B4516CBC2}
inline constexpr CLSID kSampleRecordClsid = {
    0xfbde6ac1, 0x1adc, 0x41cf, {0xb7, 0xa7, 0xf4, 0x4b, 0x45, 0x16, 0xcb, 0xc2}};

HRESULT CreateSampleRecord(REFIID iid, void** object);
