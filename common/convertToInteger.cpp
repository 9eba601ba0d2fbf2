#include <cmath>
#include <cstring>
#include <limits>

#include "common/resultCodes.h"
#include "common/conversionRoutines.h"
#include "common/dbvalue.h"
#include "platform/SWCharString.h"
#include "platform/dbAssert.h"
#include "platform/stringConversion.h"

// Assertions report under the module name the logs know this code by.
#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "dbconvert"

namespace {

// -2^63 and 2^63 are exact doubles; everything in between truncates into the signed 64-bit range.
constexpr double kInt64Bound = 9223372036854775808.0;

bool ReadIntegerSource(const void* source, uint32_t sourceType, SourceInteger& value) {
    // A boolean counts as 0 or 1 here, not as its signed word.
    if (sourceType == booleanValue) {
        value = SourceInteger::FromSigned(*static_cast<const uint16_t*>(source) != 0 ? 1 : 0);
        return true;
    }
    if (ReadCountingSource(source, sourceType, value)) return true;
    switch (sourceType) {
    case numberValue: {
        // NaN and values beyond the signed 64-bit range have no integer to give.
        const double truncated = std::trunc(*static_cast<const double*>(source));
        if (!(truncated >= -kInt64Bound && truncated < kInt64Bound)) return false;
        value = SourceInteger::FromSigned(static_cast<int64_t>(truncated));
        return true;
    }
    case currencyValue:
        value = SourceInteger::FromSigned(*static_cast<const int64_t*>(source) / 10000);
        return true;
    case stringValue:
    case memoValue: {
        int64_t number = 0;
        if (!NeutralString::ToNumber(SWCharString(static_cast<const wchar_t*>(source)), number)) return false;
        value = SourceInteger::FromSigned(number);
        return true;
    }
    case decimalValue: {
        int64_t integer = 0;
        if (!DecimalIntegerPart(*static_cast<const DECIMAL*>(source), integer)) return false;
        value = SourceInteger::FromSigned(integer);
        return true;
    }
    case blobValue:
        return false;
    default:
        DB_ASSERT_TEXT(false, "FALSE");
        return false;
    }
}

template <class Stored>
int32_t StoreWithin(const SourceInteger& value, void* destination) {
    if (!value.IsWithin(std::numeric_limits<Stored>::min(), std::numeric_limits<Stored>::max()))
        return DbNotConvertible;
    const Stored stored = static_cast<Stored>(value.Bits());
    std::memcpy(destination, &stored, sizeof(stored));
    return DbSuccess;
}

}  // namespace

int32_t ConvertToInteger(const void* source, uint32_t sourceType, void* destination, uint32_t destinationType) {
    SourceInteger value{};
    if (!ReadIntegerSource(source, sourceType, value)) return DbNotConvertible;
    switch (destinationType) {
    case int8sValue:
        return StoreWithin<int8_t>(value, destination);
    case int8uValue:
        return StoreWithin<uint8_t>(value, destination);
    case int16sValue:
        return StoreWithin<int16_t>(value, destination);
    case int16uValue:
        return StoreWithin<uint16_t>(value, destination);
    case int32sValue:
        return StoreWithin<int32_t>(value, destination);
    case int32uValue:
        return StoreWithin<uint32_t>(value, destination);
    case int64sValue:
        return StoreWithin<int64_t>(value, destination);
    case int64uValue:
        return StoreWithin<uint64_t>(value, destination);
    case booleanValue: {
        const uint16_t word = value.magnitude != 0 ? 1 : 0;
        std::memcpy(destination, &word, sizeof(word));
        return DbSuccess;
    }
    default:
        return DbNotConvertible;
    }
}
