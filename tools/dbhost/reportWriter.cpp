#include "reportWriters.h"

#include <stdexcept>

namespace {

struct ReportFormat {
    const char* name;
    std::unique_ptr<ReportWriter> (*make)(std::FILE* out);
};

const ReportFormat kFormats[] = {
    {"table", MakeTableWriter},
    {"csv", MakeCsvWriter},
    {"json", MakeJsonWriter},
    {"jsonl", MakeJsonLinesWriter},
};

}  // namespace

std::vector<std::string> ReportFormats() {
    std::vector<std::string> names;
    for (const ReportFormat& format : kFormats) names.push_back(format.name);
    return names;
}

std::unique_ptr<ReportWriter> MakeReportWriter(const std::string& format, std::FILE* out) {
    for (const ReportFormat& known : kFormats)
        if (format == known.name) return known.make(out);
    throw std::invalid_argument("unknown format " + format);
}
