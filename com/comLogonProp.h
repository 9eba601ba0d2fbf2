#pragma once
// The driver's logon vocabulary: where the Program ID stands in the engine's logon properties,
// and the property sets the driver writes for a finished logon and for the logon dialog.

#include <cstdint>

#include "platform/SWCharString.h"

struct DbPropertyCollection;

// Reads the Program ID from the fields of the dialog's tabs or, without tabs, from the top
// level, under its name or "PreQEServerName"; the last match wins. programId keeps its content
// when nothing matches. Returns 0.
int32_t ExtractProgramId(const DbPropertyCollection& collection, SWCharString& programId);

// Appends the Program ID property alone (a finished logon), or the whole dialog description:
// its caption and one tab holding the Program ID field. Labels follow languageName; the
// Program ID's name is always the English one. Returns 0.
int32_t BuildLogonProperties(DbPropertyCollection& collection, const SWCharString& languageName,
                             const SWCharString& programId, bool fullDialog);
