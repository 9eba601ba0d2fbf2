#pragma once
// The per-destination conversions behind ConvertValue. Each takes a source datum whose text,
// if any, is already UTF-16, and writes the destination only on success.

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <cstdint>

// OLE Automation's headers declare these inputs without const; the routines only read them.
inline DECIMAL* AutomationInput(const void* decimal) {
    return const_cast<DECIMAL*>(static_cast<const DECIMAL*>(decimal));
}
inline OLECHAR* AutomationText(const void* text) {
    return const_cast<OLECHAR*>(static_cast<const OLECHAR*>(text));
}

// An integer as read from a source datum, exact also for unsigned 64-bit values of 2^63 and above.
struct SourceInteger {
    bool negative;
    uint64_t magnitude;

    static SourceInteger FromSigned(int64_t value);
    static SourceInteger FromUnsigned(uint64_t value);
    // True when the value lies in low..high.
    bool IsWithin(int64_t low, uint64_t high) const;
    // The value in two's complement; exact when it lies in the signed 64-bit range.
    int64_t Bits() const;
};

// Reads the integer types (signed, unsigned, 64-bit) and the two opaque 64-bit words (as signed).
bool ReadPlainInteger(const void* source, uint32_t sourceType, SourceInteger& value);

// ReadPlainInteger, and the boolean word as a signed number, the day of a date, the seconds of a time.
bool ReadCountingSource(const void* source, uint32_t sourceType, SourceInteger& value);

// The integer part of a DECIMAL (rounded towards minus infinity), when it fits 64 bits.
bool DecimalIntegerPart(const DECIMAL& value, int64_t& integer);

// Zero-terminated text into a buffer of size bytes: what fits, and the buffer's last character
// set to 0; a null buffer or one of fewer than 2 bytes receives nothing.
void WriteTextToBuffer(const wchar_t* text, void* buffer, size_t size);

int32_t ConvertToInteger(const void* source, uint32_t sourceType, void* destination, uint32_t destinationType);
int32_t ConvertToNumber(const void* source, uint32_t sourceType, void* destination);
int32_t ConvertToCurrency(const void* source, uint32_t sourceType, void* destination);
int32_t ConvertToDate(const void* source, uint32_t sourceType, void* destination, uint32_t destinationType);
int32_t ConvertToTime(const void* source, uint32_t sourceType, void* destination);
int32_t ConvertToDecimal(const void* source, uint32_t sourceType, void* destination);
int32_t ConvertToText(const void* source, uint32_t sourceType, void* destination, size_t destinationSize);
