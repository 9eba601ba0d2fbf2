#include "csvTable.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "ado/adoInterfaces.h"
#include "common/comError.h"
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

}  // namespace

SampleTable CsvFileTable(const std::wstring& path) {
    const std::vector<CsvRecord> records = ReadCsv(ReadFileBytes(path));
    if (records.empty()) throw CsvFormatError("the file has no header row");
    const std::vector<CsvField>& header = records.front().fields;
    SampleTable table;
    for (const CsvField& name : header) table.columns.push_back({name.text, adVarWChar, 1});
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        if (record.fields.size() > header.size())
            throw CsvFormatError("line " + std::to_string(record.line) + " has " +
                                 std::to_string(record.fields.size()) + " fields where the header has " +
                                 std::to_string(header.size()));
        // Fields missing at the end of a short row are null, as spreadsheets import them.
        std::vector<Variant> row(header.size(), NullValue());
        for (size_t c = 0; c < record.fields.size(); ++c) {
            const CsvField& field = record.fields[c];
            SampleColumn& column = table.columns[c];
            column.definedSize = std::max<LONGLONG>(column.definedSize, static_cast<LONGLONG>(field.text.size()));
            if (!field.text.empty() || field.quoted) row[c] = TextValue(field.text);
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}
