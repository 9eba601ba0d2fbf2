#pragma once
// The runtime library's small text routines: copying, upper-casing, numbers to text and back.

#include <cstddef>
#include <cstdint>

#include "platform/SWCharString.h"

namespace PVLib500 {

// Copies count - 1 characters at most and a terminator.
void CopyString(wchar_t* destination, size_t count, const wchar_t* source);
void MakeUpperCase(wchar_t* text, size_t length);

// Decimal digits with "-" before negatives; radix must be 10. Returns the buffer.
constexpr size_t kIntegerTextSize = 24;
wchar_t* StringConvFromInteger(int value, wchar_t* buffer, int radix);
wchar_t* StringConvFromInteger(long value, wchar_t* buffer, int radix);
wchar_t* StringConvFromInteger(unsigned long value, wchar_t* buffer, int radix);
wchar_t* StringConvFromInteger(int64_t value, wchar_t* buffer, int radix);
wchar_t* StringConvFromInteger(uint64_t value, wchar_t* buffer, int radix);

struct SWCharStringConv {
    static constexpr size_t kBufferSize = 320;
    // Mode 2: the shortest text that reads back as the same double.
    static wchar_t* ToString(wchar_t (&buffer)[kBufferSize], double value, int mode);
};

struct NeutralString {
    // True when the whole text is an integer in locale-neutral form ("-123"), which fits 64 bits.
    static bool ToNumber(const SWCharString& text, int64_t& value);
};

}  // namespace PVLib500

using PVLib500::CopyString;
using PVLib500::MakeUpperCase;
using PVLib500::NeutralString;
using PVLib500::StringConvFromInteger;
using PVLib500::SWCharStringConv;
