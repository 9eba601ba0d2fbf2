#include "platform/stringConversion.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <limits>

namespace PVLib500 {

void CopyString(wchar_t* destination, size_t count, const wchar_t* source) {
    if (!destination || count == 0) return;
    size_t copied = 0;
    if (source)
        for (; copied + 1 < count && source[copied]; ++copied) destination[copied] = source[copied];
    destination[copied] = L'\0';
}

void MakeUpperCase(wchar_t* text, size_t length) {
    if (text && length) CharUpperBuffW(text, static_cast<DWORD>(length));
}

namespace {

wchar_t* FormatUnsigned(uint64_t magnitude, bool negative, wchar_t* buffer) {
    wchar_t digits[kIntegerTextSize];
    size_t count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    size_t out = 0;
    if (negative) buffer[out++] = L'-';
    while (count) buffer[out++] = digits[--count];
    buffer[out] = L'\0';
    return buffer;
}

wchar_t* FormatSigned(int64_t value, wchar_t* buffer) {
    // Negating in unsigned arithmetic keeps the most negative value exact.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    return FormatUnsigned(magnitude, value < 0, buffer);
}

}  // namespace

wchar_t* StringConvFromInteger(int value, wchar_t* buffer, int) { return FormatSigned(value, buffer); }
wchar_t* StringConvFromInteger(long value, wchar_t* buffer, int) { return FormatSigned(value, buffer); }
wchar_t* StringConvFromInteger(unsigned long value, wchar_t* buffer, int) {
    return FormatUnsigned(value, false, buffer);
}
wchar_t* StringConvFromInteger(int64_t value, wchar_t* buffer, int) { return FormatSigned(value, buffer); }
wchar_t* StringConvFromInteger(uint64_t value, wchar_t* buffer, int) {
    return FormatUnsigned(value, false, buffer);
}

wchar_t* SWCharStringConv::ToString(wchar_t (&buffer)[kBufferSize], double value, int) {
    // Fifteen digits read naturally; seventeen only where fifteen would not read back exactly.
    swprintf(buffer, kBufferSize, L"%.15g", value);
    if (wcstod(buffer, nullptr) != value && value == value) swprintf(buffer, kBufferSize, L"%.17g", value);
    return buffer;
}

bool NeutralString::ToNumber(const SWCharString& text, int64_t& value) {
    const wchar_t* p = text.c_str();
    bool negative = false;
    if (*p == L'-' || *p == L'+') negative = *p++ == L'-';
    if (*p < L'0' || *p > L'9') return false;
    const uint64_t limit = negative ? uint64_t{1} << 63 : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    uint64_t magnitude = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        unsigned digit = static_cast<unsigned>(*p - L'0');
        if (magnitude > (limit - digit) / 10) return false;
        magnitude = magnitude * 10 + digit;
    }
    if (*p) return false;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

}  // namespace PVLib500
