#pragma once
// How the sample's record finds out about the row it is opened on: the sample's recordsets
// answer this interface, private to the module, for their current row.

#include <windows.h>
#include <unknwn.h>

#include "ado/adoInterfaces.h"

// ADO's errors 3021 (no current row) and 3251 (the operation is not supported).
constexpr HRESULT kAdoNoCurrentRecord = static_cast<HRESULT>(0x800A0BCD);
constexpr HRESULT kAdoNotSupported = static_cast<HRESULT>(0x800A0CB3);

struct ISampleRows : IUnknown {
    // The current row's key and whether it has children; kAdoNoCurrentRecord at BOF or EOF.
    virtual HRESULT STDMETHODCALLTYPE CurrentRow(LONG* key, RecordTypeEnum* type) = 0;
    // A new recordset of the key's children, standing on its first row; kAdoNotSupported for a
    // simple record.
    virtual HRESULT STDMETHODCALLTYPE ChildrenOf(LONG key, _Recordset** children) = 0;
};
__CRT_UUID_DECL(ISampleRows, 0xd6dfa346, 0x3fb6, 0x48f6, 0x83, 0x34, 0x1a, 0x11, 0xfc, 0xe3, 0x92, 0x5b)
