// The provider check as text: the class, then every function with its verdict, each table's
// parameters and, after a call, its fields in aligned columns.

#include <algorithm>
#include <cstdarg>

#include "checkReport.h"
#include "common/resultCodes.h"
#include "parameterValues.h"
#include "textEncoding.h"
#include "typeNames.h"

namespace {

using Row = std::vector<std::string>;

void Line(std::FILE* out, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(out, format, arguments);
    va_end(arguments);
    std::fputc('\n', out);
}

size_t DisplayWidth(const std::string& text) {
    return std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

// Every column as wide as its widest cell, the last one as it is.
void WriteAligned(std::FILE* out, const std::string& indent, const std::vector<Row>& rows) {
    std::vector<size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    }
    for (const Row& row : rows) {
        std::string line = indent;
        for (size_t i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? row[i] + std::string(widths[i] - DisplayWidth(row[i]) + 2, ' ') : row[i];
        Line(out, "%s", line.c_str());
    }
}

// A driver's message may break its line; here each record keeps to one.
std::string OneLine(const std::wstring& text) {
    std::string line;
    for (const char c : Utf8(text)) {
        if (c == '\n' && !line.empty() && line.back() == ' ') continue;
        line += c == '\n' ? ' ' : c;
    }
    line.erase(std::unique(line.begin(), line.end(), [](char a, char b) { return a == ' ' && b == ' '; }), line.end());
    return line;
}

void WriteFailure(std::FILE* out, const std::string& indent, const DriverFailure& failure) {
    Line(out, "%s%s", indent.c_str(), failure.what());
    for (const DriverErrorRecord& record : failure.Records())
        Line(out, "%s  error %u: %s", indent.c_str(), record.code, OneLine(record.text).c_str());
}

std::string Versions(const std::vector<std::wstring>& versions) {
    if (versions.empty()) return ", not registered under HKEY_CLASSES_ROOT\\TypeLib";
    std::string text = versions.size() == 1 ? ", version " : ", versions ";
    for (size_t i = 0; i < versions.size(); ++i) text += (i ? ", " : "") + Utf8(versions[i]);
    return text;
}

void WriteClass(std::FILE* out, const ProviderCheck& check) {
    const ProviderClass& found = check.providerClass;
    Line(out, "Provider %s", Utf8(check.programId).c_str());
    if (!found.found) return;
    std::vector<Row> rows = {{"class", Utf8(found.clsidText)}};
    if (found.serverKind.empty()) {
        rows.push_back({"server", "none registered (neither InprocServer32 nor LocalServer32)"});
    } else {
        rows.push_back({"server", found.serverKind + ": " + Utf8(found.serverPath) +
                                      (found.serverExists ? " (the file exists)" : " (no such file)")});
        rows.push_back({"threading", found.threadingModel.empty() ? "none given" : Utf8(found.threadingModel)});
    }
    rows.push_back({"type library", found.typeLibrary.empty() ? "none"
                                                              : Utf8(found.typeLibrary) + Versions(found.typeLibraryVersions)});
    WriteAligned(out, "  ", rows);
}

std::string Length(uint32_t length) { return length == 0xFFFFFFFF ? "no fixed length" : std::to_string(length); }

void WriteFields(std::FILE* out, const TableOutcome& table) {
    Line(out, "      called as the engine lists fields, each parameter at its default:");
    if (table.callFailure) return WriteFailure(out, "        ", *table.callFailure);
    if (table.columns.result != DbSuccess)
        Line(out, "        the console's own call failed with result %d (%s); the recordset's columns are unknown",
             table.columns.result, ResultMeaning(table.columns.result).c_str());
    if (FAILED(table.columns.failure))
        Line(out, "        ADO does not describe the recordset's columns (0x%08lX)",
             static_cast<unsigned long>(table.columns.failure));
    std::vector<Row> rows = {{"field", "ADO type", "defined size", "value type", "length"}};
    for (const FieldRow& row : table.fields) {
        Row cells = {Utf8(row.name), "", "", "", ""};
        if (row.column) {
            cells[1] = AdoTypeName(row.column->type);
            cells[2] = std::to_string(row.column->definedSize);
        }
        if (row.field) {
            cells[3] = ValueTypeName(row.field->valueType);
            cells[4] = Length(row.field->length);
        } else {
            cells.resize(4);
            cells[3] = FieldRowNote(row);
        }
        rows.push_back(cells);
    }
    WriteAligned(out, "        ", rows);
}

void WriteTable(std::FILE* out, const FunctionCheck& function, const TableOutcome* table) {
    std::vector<Row> rows;
    for (const ParameterCheck& parameter : function.parameters)
        rows.push_back({"parameter " + (parameter.name.empty() ? "(no name)" : Utf8(parameter.name)), parameter.verdict});
    WriteAligned(out, "      ", rows);
    if (!table) return;
    if (table->parameterFailure) return WriteFailure(out, "      ", *table->parameterFailure);
    if (table->called) WriteFields(out, *table);
}

void WriteInterface(std::FILE* out, const ProviderCheck& check) {
    const InterfaceCheck& checked = check.typeInformation;
    if (checked.kind != TKIND_DISPATCH) {
        Line(out, "\nType information %s: not a dispatch interface (type kind %d), so the driver lists no tables",
             Utf8(checked.name).c_str(), checked.kind);
        return;
    }
    Line(out, "\nDispatch interface %s, as IDispatch::GetTypeInfo(0) describes it", Utf8(checked.name).c_str());
    for (const FunctionCheck& function : checked.functions) {
        const std::string name = function.name.empty() ? "(no name)" : Utf8(function.name);
        Line(out, "  %3u  %-20s  %s", function.index, name.c_str(), function.verdict.c_str());
        if (function.examination.verdict != MethodVerdict::Table) continue;
        const auto table = std::find_if(check.tables.begin(), check.tables.end(),
                                        [&](const TableOutcome& outcome) { return outcome.index == function.index; });
        WriteTable(out, function, table == check.tables.end() ? nullptr : &*table);
    }
    if (FAILED(checked.failure))
        Line(out, "  the type information refuses to describe %s (0x%08lX): the driver's table list fails with 11",
             checked.functions.empty() ? "itself or its first function" : "the next function",
             static_cast<unsigned long>(checked.failure));
}

}  // namespace

void WriteCheckText(const ProviderCheck& check, std::FILE* out) {
    WriteClass(out, check);
    if (!check.objectFailure.empty()) {
        Line(out, "  %s", check.objectFailure.c_str());
    } else {
        WriteInterface(out, check);
        if (check.logonFailure) {
            Line(out, "");
            WriteFailure(out, "", *check.logonFailure);
        }
    }
    const size_t tables =
        std::count_if(check.typeInformation.functions.begin(), check.typeInformation.functions.end(),
                      [](const FunctionCheck& f) { return f.examination.verdict == MethodVerdict::Table; });
    if (tables == 0 || check.logonFailure) return Line(out, "\nNo table usable");
    Line(out, "\n%d of %zu tables usable: %s", check.usableTables, tables,
         check.called ? "every parameter described and the fields listed with the parameters' defaults"
                      : "every parameter described");
}
