#pragma once
// A recordset's columns beside the fields that the driver made of them: the driver's field list
// leaves out the columns whose type it refuses and names a chapter's columns after the chapter.

#include <optional>
#include <string>
#include <vector>

#include "driverSession.h"

// A column as ADO describes it.
struct RecordsetColumn {
    std::wstring name;
    long type;
    long long definedSize;
};

struct FieldRow {
    std::wstring name;
    std::optional<RecordsetColumn> column;  // none for the fields of a chapter's columns
    std::optional<FieldInfo> field;         // none for a refused column or a chapter
};

// Each column with the driver's field of its name (the n-th field of a name for the n-th column of
// it), a chapter followed by the fields named after it, "-" and a column of its own.
std::vector<FieldRow> FieldRows(const std::vector<RecordsetColumn>& columns, const std::vector<FieldInfo>& fields);

// What a row without a field says instead: a chapter, or a refused column.
const char* FieldRowNote(const FieldRow& row);
