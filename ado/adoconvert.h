#pragma once
// Describes an ADO data type or automation VARTYPE as an engine field: value type, length in
// bytes and type options. The two code spaces share their values, so one table serves both.

#include <cstdint>

// Type options set by the mapping.
constexpr uint32_t AdoTypeOptionByteString = 0x0001;   // byte strings described as text
constexpr uint32_t AdoTypeOptionWideText = 0x0002;     // UTF-16 text
constexpr uint32_t AdoTypeOptionUserDefined = 0x0200;  // adUserDefined

// No fixed length: memo, blob and variant-like fields.
constexpr uint32_t AdoNoFixedLength = 0xFFFFFFFF;

// True when the code is described. A refused code gives value type noValueType, length 0 and
// options 0. Callers without a defined size pass 255.
bool MapAdoType(uint32_t typeCode, int32_t definedSize, uint32_t& valueType, uint32_t& length,
                uint32_t& typeOptions);
