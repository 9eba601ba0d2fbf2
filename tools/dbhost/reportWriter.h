#pragma once
// Writers of a query's rows in the console's formats: an aligned text table, RFC 4180 CSV
// (CRLF line ends, nulls as empty fields), JSON (an array of objects, nulls as null, currency
// and decimals as exact strings) and JSON Lines (the same objects, one a line, no array).

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "valueText.h"

class ReportWriter {
public:
    virtual ~ReportWriter() = default;
    virtual void Begin(const std::vector<std::string>& columns) = 0;
    virtual void Row(std::vector<ValueText> values) = 0;
    virtual void End() = 0;
};

// The formats' names: "table", "csv", "json" and "jsonl".
std::vector<std::string> ReportFormats();

// format: one of ReportFormats().
std::unique_ptr<ReportWriter> MakeReportWriter(const std::string& format, std::FILE* out);
