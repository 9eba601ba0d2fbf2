#pragma once
// The engine's value records: one discrete value, a range or a list of values of a value type,
// or one of the two description records. They cross the engine boundary, so their layout is
// fixed; a record owns everything it points to.

#include <cstddef>
#include <cstdint>

// Value type codes as the engine stores them in 32-bit fields. Code 12 and unlisted codes are invalid.
enum DbValueType : uint32_t {
    int8sValue = 0,
    int8uValue = 1,
    int16sValue = 2,
    int16uValue = 3,
    int32sValue = 4,
    int32uValue = 5,
    numberValue = 6,
    currencyValue = 7,     // signed 64-bit count of ten-thousandths
    booleanValue = 8,      // 16-bit word, 0 false; the driver writes 1 for true
    dateValue = 9,         // DbDateTime without time (seconds -1)
    timeValue = 10,        // DbDateTime without date (day -1)
    stringValue = 11,      // zero-terminated UTF-16 text
    memoValue = 13,        // long text, handled as stringValue
    blobValue = 14,        // a cell holding an HGLOBAL whose block holds the bytes
    dateTimeValue = 15,    // DbDateTime
    decimalValue = 16,     // OLE Automation DECIMAL
    int64sValue = 17,
    int64uValue = 18,
    opaque64Value = 100,   // a 64-bit word copied but not interpreted
    interfaceValue = 101,  // a COM interface pointer holding one reference
    noValueType = 255,
};

// What DbValue::data points to.
enum DbValueKind : uint32_t {
    noValueKind = 0,
    discreteValueKind = 1,
    rangeValueKind = 2,
    multipleValuesKind = 3,
    fieldDescriptionKind = 4,
    parameterDescriptionKind = 5,
};

// Day number counted from 1 January 4713 BC (Julian), seconds since midnight, fraction of the second.
struct DbDateTime {
    int32_t day;          // -1: no date
    int32_t seconds;      // -1: no time
    uint32_t nanoseconds;
};
static_assert(sizeof(DbDateTime) == 12, "DbDateTime layout");
constexpr int32_t kNoDate = -1;
static_assert(offsetof(DbDateTime, day) == 0, "DbDateTime layout");
static_assert(offsetof(DbDateTime, seconds) == 4, "DbDateTime layout");
static_assert(offsetof(DbDateTime, nanoseconds) == 8, "DbDateTime layout");

struct DbValue {
    uint32_t size;       // always 24
    uint32_t kind;       // DbValueKind
    uint32_t valueType;  // DbValueType
    void* data;          // owned, as the kind says; null for noValueKind

    // Initialise: an empty value of the type.
    explicit DbValue(uint32_t type = noValueType);
    // Copy-initialise: an empty value of no type, then AssignValue.
    DbValue(const DbValue& source);
    DbValue& operator=(const DbValue& source);
    ~DbValue();

    bool hasRangeValue() const { return kind == rangeValueKind; }
    bool hasMultipleValues() const { return kind == multipleValuesKind; }
};
static_assert(sizeof(DbValue) == 24, "DbValue layout");
static_assert(offsetof(DbValue, size) == 0, "DbValue layout");
static_assert(offsetof(DbValue, kind) == 4, "DbValue layout");
static_assert(offsetof(DbValue, valueType) == 8, "DbValue layout");
static_assert(offsetof(DbValue, data) == 16, "DbValue layout");

struct DbRangeValue {
    uint32_t size;  // always 40
    DbValue* startValue;  // owned, never null; neither a range nor a list
    uint16_t startFlag;   // the engine's; carried unchanged
    DbValue* endValue;    // owned, never null; neither a range nor a list
    uint16_t endFlag;

    // Each end is a copy of the given value, or an empty value of the range's type when none is given.
    DbRangeValue(uint32_t valueType, const DbValue* start, uint16_t startFlag, const DbValue* end,
                 uint16_t endFlag);
    ~DbRangeValue();
    DbRangeValue(const DbRangeValue&) = delete;
    DbRangeValue& operator=(const DbRangeValue&) = delete;
};
static_assert(sizeof(DbRangeValue) == 40, "DbRangeValue layout");
static_assert(offsetof(DbRangeValue, size) == 0, "DbRangeValue layout");
static_assert(offsetof(DbRangeValue, startValue) == 8, "DbRangeValue layout");
static_assert(offsetof(DbRangeValue, startFlag) == 16, "DbRangeValue layout");
static_assert(offsetof(DbRangeValue, endValue) == 24, "DbRangeValue layout");
static_assert(offsetof(DbRangeValue, endFlag) == 32, "DbRangeValue layout");

struct DbMultipleValues {
    uint32_t size;  // always 16
    uint32_t count;
    DbValue** values;  // owned array of count owned values; null when count is 0

    // A list of count empty values of the type.
    DbMultipleValues(uint32_t count, uint32_t valueType);
    ~DbMultipleValues();
    DbMultipleValues(const DbMultipleValues&) = delete;
    DbMultipleValues& operator=(const DbMultipleValues&) = delete;
};
static_assert(sizeof(DbMultipleValues) == 16, "DbMultipleValues layout");
static_assert(offsetof(DbMultipleValues, size) == 0, "DbMultipleValues layout");
static_assert(offsetof(DbMultipleValues, count) == 4, "DbMultipleValues layout");
static_assert(offsetof(DbMultipleValues, values) == 8, "DbMultipleValues layout");

// Deep copy; 0, or 11 for a source of an invalid kind (the destination is then left without value).
// A null source only clears the destination. Throws std::bad_alloc, leaving the destination as it was.
int32_t AssignValue(DbValue& destination, const DbValue* source);

// Frees the data; the kind becomes noValueKind, the value type stays.
void ClearValue(DbValue& value);

// Makes the value a discrete value: a copy of data when copy is set, otherwise data itself
// (heap memory in the form FreeValueData releases), which the value then owns.
void SetDiscreteValue(DbValue& value, uint32_t valueType, void* data, bool copy);

// Heap values as records hold them (malloc'd, common/heapRecord.h): an empty value of the type.
DbValue* NewValue(uint32_t valueType = noValueType);
// Destroys and frees a value made by NewValue; null does nothing.
void DeleteValue(DbValue* value);
