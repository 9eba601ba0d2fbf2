#pragma once
// Conversion of one datum between value types (common/dbvalue.h) into a caller's buffer, with the
// routines that size and allocate the result, and the text of a value.

#include <cstdint>

#include "common/dbvalue.h"
#include "platform/SWCharString.h"

// Conversion flags.
enum DbConversionFlags : uint32_t {
    // Source text (stringValue, memoValue) is multi-byte text in the system code page.
    narrowText = 0x1,
};

// 0; 11 text handed to the text conversion; 12 null source or destination, or a destination of
// noValueType or blobValue; 600 not possible for these types or this value; 601 the buffer is
// smaller than the destination type's fixed size. The buffer is written only on success, except
// that a text destination receives what fits.
int32_t ConvertValue(const void* source, uint32_t sourceType, uint32_t flags, void* destination,
                     uint32_t destinationType, uint32_t destinationSize);

// The bytes the result needs. Without exact, a non-text value converted to text is given 128 bytes.
int32_t GetConvertedSize(const void* source, uint32_t sourceType, uint32_t flags, uint32_t destinationType,
                         uint32_t& size, bool exact);

// On success, result owns a new heap buffer with the converted datum (freed with FreeValueData);
// otherwise it is null. Throws std::bad_alloc.
int32_t ConvertToNewBuffer(const void* source, uint32_t sourceType, uint32_t flags, void*& result,
                           uint32_t destinationType);

// The text of a discrete value; empty for any other kind and when the value cannot be converted.
SWCharString ValueToString(const DbValue& value);
