// The aligned text table: every row is kept until the end, when the column widths are known.

#include <algorithm>

#include "reportWriters.h"

namespace {

// Characters, not bytes: UTF-8 continuation bytes do not count.
size_t DisplayWidth(const std::string& text) {
    return std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

class TableWriter : public ReportWriter {
public:
    explicit TableWriter(std::FILE* out) : out_(out) {}

    void Begin(const std::vector<std::string>& columns) override {
        header_ = columns;
        for (const std::string& name : columns) widths_.push_back(DisplayWidth(name));
    }

    void Row(std::vector<ValueText> values) override {
        for (size_t i = 0; i < values.size() && i < widths_.size(); ++i)
            widths_[i] = std::max(widths_[i], DisplayWidth(values[i].text));
        rows_.push_back(std::move(values));
    }

    void End() override {
        std::vector<ValueText> header;
        for (const std::string& name : header_) header.push_back({ValueText::Text, name});
        WriteLine(header);
        std::string rule;
        for (size_t i = 0; i < widths_.size(); ++i) rule += (i ? "-+-" : "") + std::string(widths_[i], '-');
        std::fprintf(out_, "%s\n", rule.c_str());
        for (const auto& row : rows_) WriteLine(row);
        std::fprintf(out_, "(%zu row%s)\n", rows_.size(), rows_.size() == 1 ? "" : "s");
    }

private:
    // Numbers to the right, everything else to the left.
    void WriteLine(const std::vector<ValueText>& values) {
        std::string line;
        for (size_t i = 0; i < values.size(); ++i) {
            const std::string padding(widths_[i] - DisplayWidth(values[i].text), ' ');
            const bool right = values[i].kind == ValueText::Number || values[i].kind == ValueText::Exact;
            line += i ? " | " : "";
            line += right ? padding + values[i].text : values[i].text + padding;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        std::fprintf(out_, "%s\n", line.c_str());
    }

    std::FILE* out_;
    std::vector<std::string> header_;
    std::vector<size_t> widths_;
    std::vector<std::vector<ValueText>> rows_;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeTableWriter(std::FILE* out) { return std::make_unique<TableWriter>(out); }
