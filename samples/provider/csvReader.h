#pragma once
// RFC 4180 records from UTF-8 text: fields separated by commas, records by CRLF or LF, fields in
// double quotes may hold commas, line breaks and doubled quotes. A leading byte order mark is
// skipped. Invalid UTF-8 or text after a closing quote raises CsvFormatError.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct CsvField {
    std::wstring text;
    bool quoted = false;  // "" is an empty text, a bare empty field is no value
};
struct CsvRecord {
    size_t line;  // where the record starts, from 1
    std::vector<CsvField> fields;
};

class CsvFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<CsvRecord> ReadCsv(std::string_view utf8);
