#include "fieldRows.h"

#include "ado/adoInterfaces.h"

std::vector<FieldRow> FieldRows(const std::vector<RecordsetColumn>& columns, const std::vector<FieldInfo>& fields) {
    std::vector<bool> matched(fields.size());
    std::vector<FieldRow> rows;
    const auto take = [&](const auto& belongs) -> std::optional<FieldInfo> {
        for (size_t i = 0; i < fields.size(); ++i)
            if (!matched[i] && belongs(fields[i].name)) {
                matched[i] = true;
                return fields[i];
            }
        return std::nullopt;
    };
    for (const RecordsetColumn& column : columns) {
        if (column.type != adChapter) {
            rows.push_back({column.name, column, take([&](const std::wstring& name) { return name == column.name; })});
            continue;
        }
        rows.push_back({column.name, column, std::nullopt});
        const std::wstring prefix = column.name + L"-";
        while (auto field = take([&](const std::wstring& name) { return name.rfind(prefix, 0) == 0; }))
            rows.push_back({field->name, std::nullopt, field});
    }
    for (size_t i = 0; i < fields.size(); ++i)
        if (!matched[i]) rows.push_back({fields[i].name, std::nullopt, fields[i]});
    return rows;
}

const char* FieldRowNote(const FieldRow& row) {
    if (row.column && row.column->type == adChapter) return "a chapter: its columns follow as fields of their own";
    return "refused: left out of the field list";
}
