// RFC 4180 output: a header row, CRLF line ends, fields quoted when they hold a comma, a quote
// or a line break, quotes doubled.

#include "reportWriters.h"

namespace {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

class CsvWriter : public ReportWriter {
public:
    explicit CsvWriter(std::FILE* out) : out_(out) {}

    void Begin(const std::vector<std::string>& columns) override {
        std::vector<ValueText> header;
        for (const std::string& name : columns) header.push_back({ValueText::Text, name});
        Row(std::move(header));
    }

    void Row(std::vector<ValueText> values) override {
        std::string line;
        for (size_t i = 0; i < values.size(); ++i) line += (i ? "," : "") + CsvField(values[i].text);
        std::fprintf(out_, "%s\r\n", line.c_str());
    }

    void End() override {}

private:
    std::FILE* out_;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeCsvWriter(std::FILE* out) { return std::make_unique<CsvWriter>(out); }
