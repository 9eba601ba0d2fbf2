// JSON output through nlohmann/json, written as the rows are read so that memory does not grow
// with them: an array with one object a line, or JSON Lines (the objects alone, one a line).
// Each object's keys keep the columns' order.

#include <nlohmann/json.hpp>

#include "reportWriters.h"

namespace {

using Json = nlohmann::ordered_json;

Json JsonValue(const ValueText& value) {
    switch (value.kind) {
    case ValueText::Null: return nullptr;
    case ValueText::Boolean: return value.text == "true";
    case ValueText::Number: {
        // Integers and finite doubles parse as JSON numbers; anything else stays text.
        Json number = Json::parse(value.text, nullptr, false);
        return number.is_number() ? number : Json(value.text);
    }
    default: return value.text;
    }
}

class JsonWriter : public ReportWriter {
public:
    JsonWriter(std::FILE* out, bool lines) : out_(out), lines_(lines) {}

    void Begin(const std::vector<std::string>& columns) override {
        columns_ = columns;
        if (!lines_) std::fputs("[", out_);
    }

    void Row(std::vector<ValueText> values) override {
        Json row = Json::object();
        for (size_t i = 0; i < values.size() && i < columns_.size(); ++i) row[columns_[i]] = JsonValue(values[i]);
        const char* before = lines_ ? "" : rows_ == 0 ? "\n  " : ",\n  ";
        std::fprintf(out_, "%s%s%s", before, row.dump().c_str(), lines_ ? "\n" : "");
        ++rows_;
    }

    void End() override {
        if (!lines_) std::fputs(rows_ == 0 ? "]\n" : "\n]\n", out_);
    }

private:
    std::FILE* out_;
    bool lines_;
    std::vector<std::string> columns_;
    unsigned long long rows_ = 0;
};

}  // namespace

std::unique_ptr<ReportWriter> MakeJsonWriter(std::FILE* out) { return std::make_unique<JsonWriter>(out, false); }

std::unique_ptr<ReportWriter> MakeJsonLinesWriter(std::FILE* out) { return std::make_unique<JsonWriter>(out, true); }
