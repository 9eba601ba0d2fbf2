#include "common/conversionRoutines.h"

#include <cstring>

#include "common/dbvalue.h"

SourceInteger SourceInteger::FromSigned(int64_t value) {
    // Negating in unsigned arithmetic keeps the most negative value exact.
    return value < 0 ? SourceInteger{true, 0 - static_cast<uint64_t>(value)}
                     : SourceInteger{false, static_cast<uint64_t>(value)};
}

SourceInteger SourceInteger::FromUnsigned(uint64_t value) { return SourceInteger{false, value}; }

bool SourceInteger::IsWithin(int64_t low, uint64_t high) const {
    if (!negative) return magnitude <= high;
    return low < 0 && magnitude <= 0 - static_cast<uint64_t>(low);
}

int64_t SourceInteger::Bits() const {
    return static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
}

bool ReadPlainInteger(const void* source, uint32_t sourceType, SourceInteger& value) {
    switch (sourceType) {
    case int8sValue:
        value = SourceInteger::FromSigned(*static_cast<const int8_t*>(source));
        return true;
    case int8uValue:
        value = SourceInteger::FromUnsigned(*static_cast<const uint8_t*>(source));
        return true;
    case int16sValue:
        value = SourceInteger::FromSigned(*static_cast<const int16_t*>(source));
        return true;
    case int16uValue:
        value = SourceInteger::FromUnsigned(*static_cast<const uint16_t*>(source));
        return true;
    case int32sValue:
        value = SourceInteger::FromSigned(*static_cast<const int32_t*>(source));
        return true;
    case int32uValue:
        value = SourceInteger::FromUnsigned(*static_cast<const uint32_t*>(source));
        return true;
    case int64sValue:
    case opaque64Value:
    case interfaceValue: {
        int64_t bits;
        std::memcpy(&bits, source, sizeof(bits));
        value = SourceInteger::FromSigned(bits);
        return true;
    }
    case int64uValue:
        value = SourceInteger::FromUnsigned(*static_cast<const uint64_t*>(source));
        return true;
    default:
        return false;
    }
}

bool ReadCountingSource(const void* source, uint32_t sourceType, SourceInteger& value) {
    if (ReadPlainInteger(source, sourceType, value)) return true;
    switch (sourceType) {
    case booleanValue:
        value = SourceInteger::FromSigned(*static_cast<const int16_t*>(source));
        return true;
    case dateValue:
    case dateTimeValue:
        value = SourceInteger::FromSigned(static_cast<const DbDateTime*>(source)->day);
        return true;
    case timeValue:
        value = SourceInteger::FromSigned(static_cast<const DbDateTime*>(source)->seconds);
        return true;
    default:
        return false;
    }
}

bool DecimalIntegerPart(const DECIMAL& value, int64_t& integer) {
    DECIMAL integerPart{};
    if (FAILED(VarDecInt(AutomationInput(&value), &integerPart))) return false;
    LONG64 result = 0;
    if (FAILED(VarI8FromDec(&integerPart, &result))) return false;
    integer = result;
    return true;
}

void WriteTextToBuffer(const wchar_t* text, void* buffer, size_t size) {
    const size_t capacity = size / sizeof(wchar_t);
    if (!buffer || capacity < 1) return;
    auto* characters = static_cast<wchar_t*>(buffer);
    size_t length = 0;
    while (length + 1 < capacity && text[length]) ++length;
    std::memcpy(characters, text, length * sizeof(wchar_t));
    characters[length] = L'\0';
    characters[capacity - 1] = L'\0';
}
