// JSON output through nlohmann/json: one array of objects whose keys keep the columns' order.

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
    explicit JsonWriter(std::FILE* out) : out_(out) {}

    void Begin(const std::vector<std::string>& columns) override { columns_ = columns; }

    void Row(std::vector<ValueText> values) override {
        Json row = Json::object();
        for (size_t i = 0; i < values.size() && i < columns_.size(); ++i) row[columns_[i]] = JsonValue(values[i]);
        rows_.push_back(std::move(row));
    }

    void End() override { std::fprintf(out_, "%s\n", rows_.dump(2).c_str()); }

private:
    std::FILE* out_;
    std::vector<std::string> columns_;
    Json rows_ = Json::array();
};

}  // namespace

std::unique_ptr<ReportWriter> MakeJsonWriter(std::FILE* out) { return std::make_unique<JsonWriter>(out); }
