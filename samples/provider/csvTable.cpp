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
    std::vector<CsvRecord> records = ReadCsv(ReadFileBytes(path));
    if (records.empty()) throw CsvFormatError("the file has no header row");
    SampleTable table;
    for (const CsvField& name : records.front()) table.columns.push_back({name.text, adVarWChar, 1});
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        if (record.size() != table.columns.size())
            throw CsvFormatError("record " + std::to_string(r + 1) + " has " + std::to_string(record.size()) +
                                 " fields where the header has " + std::to_string(table.columns.size()));
        std::vector<Variant> row;
        for (size_t c = 0; c < record.size(); ++c) {
            const CsvField& field = record[c];
            SampleColumn& column = table.columns[c];
            column.definedSize = std::max<LONGLONG>(column.definedSize, static_cast<LONGLONG>(field.text.size()));
            row.push_back(field.text.empty() && !field.quoted ? NullValue() : TextValue(field.text));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}
