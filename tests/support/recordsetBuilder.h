#pragma once
// Disconnected recordsets on the platform's own ADODB.Recordset, for tests that need real ADO:
//
//     ComPtr<_Recordset> orders = BuildRecordset({{L"Id", adInteger, 4}, {L"Name", adVarWChar, 40}},
//                                                {{I4(1), Text(L"one")}, {I4(2), Null()}});
//
// The recordset stands on its first row (an empty one at BOF and EOF, never moved). Every value
// is read back before the recordset is handed out: Wine's row store is known to lose values
// (see the platform notes), and a fixture that hands out wrong data would blame the driver.
// Set-up failures throw (setupCheck.h).

#include <string>
#include <vector>

#include "ado/adoInterfaces.h"
#include "common/comPtr.h"
#include "common/variant.h"

struct Column {
    std::wstring name;
    DataTypeEnum type;
    AdoLongPtr definedSize;
};

ComPtr<_Recordset> BuildRecordset(const std::vector<Column>& columns, const std::vector<std::vector<Variant>>& rows);

// Field position of the current row, as ADO hands it out.
Variant ValueAt(const ComPtr<_Recordset>& recordset, LONG position);
