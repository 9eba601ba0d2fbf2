#pragma once
// Binding an engine field to a column of an open rowset, once before the records are read.

#include <cstddef>
#include <cstdint>

#include "ado/adoInterfaces.h"
#include "ado/errorInfo.h"
#include "ado/openrowseth.h"
#include "common/comPtr.h"
#include "platform/SWCharString.h"

constexpr uint32_t kBindByPosition = 1;
constexpr uint32_t kBindByName = 2;

// The engine's binding request; the driver reads only these fields.
struct DbFieldBindingInfo {
    uint32_t fieldOrdinal;  // 1-based, when binding by position
    uint32_t fieldAt4;
    const wchar_t* fieldName;  // when binding by name; may be null
    uint8_t unread[20];
    uint32_t bindingKind;
    uint32_t nameOccurrence;  // 0-based, among columns of the same name
};
static_assert(offsetof(DbFieldBindingInfo, fieldOrdinal) == 0, "DbFieldBindingInfo layout");
static_assert(offsetof(DbFieldBindingInfo, fieldName) == 8, "DbFieldBindingInfo layout");
static_assert(offsetof(DbFieldBindingInfo, bindingKind) == 36, "DbFieldBindingInfo layout");
static_assert(offsetof(DbFieldBindingInfo, nameOccurrence) == 40, "DbFieldBindingInfo layout");

// What the engine holds per bound field. In recordset mode the column's Field, found once, so
// that reading needs no look-up; a name only where the column was not the recordset's own. In
// record mode only the name.
struct DbFieldBinding {
    ComPtr<Field> field;
    SWCharString name;
};

// On success binding receives a new handle; otherwise it is left alone.
int32_t BindToField(DbOpenRowsetHandle& rowset, const DbFieldBindingInfo& request, DbFieldBinding*& binding,
                    DbErrorInfo** errorInfo);
