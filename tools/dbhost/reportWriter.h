#pragma once
// Writers of a query's rows in the console's three formats: an aligned text table, RFC 4180 CSV
// (CRLF line ends, nulls as empty fields) and JSON (an array of objects, nulls as null,
// currency and decimals as exact strings).

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

// format: "table", "csv" or "json".
std::unique_ptr<ReportWriter> MakeReportWriter(const std::string& format, std::FILE* out);
