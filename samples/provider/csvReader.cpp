#include "csvReader.h"

#include <windows.h>

namespace {

std::wstring Utf16(const std::string& utf8, size_t line) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length == 0) throw CsvFormatError("line " + std::to_string(line) + " is not UTF-8 text");
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, text.data(), length);
    return text;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") position_ = 3;
    }

    std::vector<CsvRecord> Records() {
        std::vector<CsvRecord> records;
        while (position_ < text_.size()) records.push_back(Record());
        return records;
    }

private:
    CsvRecord Record() {
        CsvRecord record{line_, {}};
        for (;;) {
            record.fields.push_back(Field());
            if (position_ >= text_.size()) return record;
            const char separator = text_[position_++];
            if (separator == ',') continue;
            if (separator == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
            ++line_;
            return record;
        }
    }

    CsvField Field() {
        CsvField field;
        std::string bytes;
        const size_t startLine = line_;
        if (position_ < text_.size() && text_[position_] == '"') {
            field.quoted = true;
            ++position_;
            for (;;) {
                if (position_ >= text_.size())
                    throw CsvFormatError("line " + std::to_string(startLine) + ": a quoted field is not closed");
                const char c = text_[position_++];
                if (c == '"') {
                    if (position_ < text_.size() && text_[position_] == '"') {
                        bytes += '"';
                        ++position_;
                        continue;
                    }
                    break;
                }
                if (c == '\n') ++line_;
                bytes += c;
            }
            if (position_ < text_.size() && !IsSeparator(text_[position_]))
                throw CsvFormatError("line " + std::to_string(line_) + ": text after a closing quote");
        } else {
            while (position_ < text_.size() && !IsSeparator(text_[position_])) bytes += text_[position_++];
        }
        field.text = Utf16(bytes, startLine);
        return field;
    }

    static bool IsSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

    std::string_view text_;
    size_t position_ = 0;
    size_t line_ = 1;
};

}  // namespace

std::vector<CsvRecord> ReadCsv(std::string_view utf8) { return Parser(utf8).Records(); }
