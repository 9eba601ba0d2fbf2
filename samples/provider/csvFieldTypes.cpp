#include "csvFieldTypes.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

#include "sampleTable.h"

namespace {

// std::from_chars reads only char; text beyond ASCII is no number anyway.
std::optional<std::string> Ascii(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        if (c > 0x7F) return std::nullopt;
        bytes += static_cast<char>(c);
    }
    return bytes;
}

// The whole text as a T, in the invariant format that from_chars reads.
template <class T>
std::optional<T> ReadWhole(const std::wstring& text) {
    const std::optional<std::string> bytes = Ascii(text);
    if (!bytes || bytes->empty()) return std::nullopt;
    T value{};
    const char* end = bytes->data() + bytes->size();
    const auto [stop, error] = std::from_chars(bytes->data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<double> ReadNumber(const std::wstring& text) {
    const std::optional<double> number = ReadWhole<double>(text);
    // from_chars also reads "inf" and "nan", which no spreadsheet takes for numbers.
    if (!number || !std::isfinite(*number)) return std::nullopt;
    return number;
}

bool ReadDigits(const std::wstring& text, size_t position, size_t count, WORD& value) {
    value = 0;
    for (size_t i = position; i < position + count; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        value = static_cast<WORD>(value * 10 + (text[i] - L'0'));
    }
    return true;
}

// yyyy-mm-dd, or yyyy-mm-ddThh:mm:ss with T or a space.
std::optional<DATE> ReadMoment(const std::wstring& text) {
    if (text.size() != 10 && text.size() != 19) return std::nullopt;
    SYSTEMTIME time{};
    if (!ReadDigits(text, 0, 4, time.wYear) || text[4] != L'-' || !ReadDigits(text, 5, 2, time.wMonth) ||
        text[7] != L'-' || !ReadDigits(text, 8, 2, time.wDay))
        return std::nullopt;
    if (text.size() == 19 &&
        ((text[10] != L'T' && text[10] != L' ') || !ReadDigits(text, 11, 2, time.wHour) || text[13] != L':' ||
         !ReadDigits(text, 14, 2, time.wMinute) || text[16] != L':' || !ReadDigits(text, 17, 2, time.wSecond)))
        return std::nullopt;
    DATE moment = 0;
    if (!SystemTimeToVariantTime(&time, &moment)) return std::nullopt;
    // Automation rolls 30 February over into March: only a moment that reads back the same is valid.
    SYSTEMTIME back{};
    if (!VariantTimeToSystemTime(moment, &back) || back.wYear != time.wYear || back.wMonth != time.wMonth ||
        back.wDay != time.wDay || back.wHour != time.wHour || back.wMinute != time.wMinute ||
        back.wSecond != time.wSecond)
        return std::nullopt;
    return moment;
}

bool IsNumeric(CsvFieldType type) { return type == CsvFieldType::integer || type == CsvFieldType::number; }
bool IsMoment(CsvFieldType type) { return type == CsvFieldType::date || type == CsvFieldType::dateTime; }

}  // namespace

CsvFieldType TypeOfText(const std::wstring& text) {
    if (ReadWhole<int32_t>(text)) return CsvFieldType::integer;
    if (ReadNumber(text)) return CsvFieldType::number;
    if (ReadMoment(text)) return text.size() == 10 ? CsvFieldType::date : CsvFieldType::dateTime;
    return CsvFieldType::text;
}

CsvFieldType CommonType(CsvFieldType first, CsvFieldType second) {
    if (first == second) return first;
    if (IsNumeric(first) && IsNumeric(second)) return CsvFieldType::number;
    if (IsMoment(first) && IsMoment(second)) return CsvFieldType::dateTime;
    return CsvFieldType::text;
}

Variant ValueOfText(const std::wstring& text, CsvFieldType type) {
    switch (type) {
    case CsvFieldType::integer: return IntegerValue(*ReadWhole<int32_t>(text));
    case CsvFieldType::number: return DoubleValue(*ReadNumber(text));
    case CsvFieldType::date:
    case CsvFieldType::dateTime: return MomentValue(*ReadMoment(text));
    case CsvFieldType::text: break;
    }
    return TextValue(text);
}
