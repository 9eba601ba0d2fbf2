#include "reportWriters.h"

#include <stdexcept>

std::unique_ptr<ReportWriter> MakeReportWriter(const std::string& format, std::FILE* out) {
    if (format == "table") return MakeTableWriter(out);
    if (format == "csv") return MakeCsvWriter(out);
    if (format == "json") return MakeJsonWriter(out);
    throw std::invalid_argument("unknown format " + format);
}
