#include "csvTable.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "ado/adoInterfaces.h"
#include "common/comError.h"
#include "csvFieldTypes.h"
#include "csvReader.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

[[noreturn]] void RaiseLastError() { RaiseComError(HRESULT_FROM_WIN32(GetLastError())); }

std::string ReadFileBytes(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        RaiseLastError();
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) RaiseLastError();
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 30));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) RaiseLastError();
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

// ADO's type for a column of the field type, and its size when it is fixed.
SampleColumn ColumnOf(const std::wstring& name, CsvFieldType type) {
    switch (type) {
    case CsvFieldType::integer: return {name, adInteger, 4};
    case CsvFieldType::number: return {name, adDouble, 8};
    case CsvFieldType::date: return {name, adDBDate, 6};
    case CsvFieldType::dateTime: return {name, adDate, 8};
    case CsvFieldType::text: break;
    }
    return {name, adVarWChar, 1};
}

bool IsNull(const CsvField& field) { return field.text.empty() && !field.quoted; }

// Each column's narrowest type that holds all its values; a column without values is text.
std::vector<CsvFieldType> ColumnTypes(const std::vector<CsvRecord>& records, size_t columns) {
    std::vector<std::optional<CsvFieldType>> found(columns);
    for (size_t r = 1; r < records.size(); ++r) {
        const std::vector<CsvField>& fields = records[r].fields;
        for (size_t c = 0; c < fields.size(); ++c) {
            if (IsNull(fields[c])) continue;
            const CsvFieldType type = TypeOfText(fields[c].text);
            found[c] = found[c] ? CommonType(*found[c], type) : type;
        }
    }
    std::vector<CsvFieldType> types;
    for (const auto& type : found) types.push_back(type.value_or(CsvFieldType::text));
    return types;
}

}  // namespace

SampleTable CsvFileTable(const std::wstring& path, bool asText) {
    const std::vector<CsvRecord> records = ReadCsv(ReadFileBytes(path));
    if (records.empty()) throw CsvFormatError("the file has no header row");
    const std::vector<CsvField>& header = records.front().fields;
    for (const CsvRecord& record : records)
        if (record.fields.size() > header.size())
            throw CsvFormatError("line " + std::to_string(record.line) + " has " +
                                 std::to_string(record.fields.size()) + " fields where the header has " +
                                 std::to_string(header.size()));
    const std::vector<CsvFieldType> types =
        asText ? std::vector<CsvFieldType>(header.size(), CsvFieldType::text) : ColumnTypes(records, header.size());
    SampleTable table;
    for (size_t c = 0; c < header.size(); ++c) table.columns.push_back(ColumnOf(header[c].text, types[c]));
    for (size_t r = 1; r < records.size(); ++r) {
        const std::vector<CsvField>& fields = records[r].fields;
        // Fields missing at the end of a short row are null, as spreadsheets import them.
        std::vector<Variant> row(header.size(), NullValue());
        for (size_t c = 0; c < fields.size(); ++c) {
            if (IsNull(fields[c])) continue;
            row[c] = ValueOfText(fields[c].text, types[c]);
            if (types[c] == CsvFieldType::text)
                table.columns[c].definedSize =
                    std::max<LONGLONG>(table.columns[c].definedSize, static_cast<LONGLONG>(fields[c].text.size()));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}
