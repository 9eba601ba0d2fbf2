#include <cmath>
#include <cstring>
#include <limits>

#include "common/resultCodes.h"
#include "common/conversionRoutines.h"
#include "common/dbvalue.h"

namespace {

constexpr DbDateTime kNoDateNoTime{-1, -1, 0};

bool FitsInt32(int64_t value) {
    return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}

// The day or seconds count that a number gives; false when it gives none.
bool ReadCount(const void* source, uint32_t sourceType, int32_t& count) {
    switch (sourceType) {
    case int8sValue:
    case int8uValue:
    case int16sValue:
    case int16uValue:
    case int32sValue:
    case int32uValue:
    case int64sValue:
    case int64uValue: {
        SourceInteger value{};
        ReadPlainInteger(source, sourceType, value);
        count = static_cast<int32_t>(static_cast<uint32_t>(value.Bits()));  // the low 32 bits
        return true;
    }
    case numberValue: {
        // NaN and values outside the 32-bit range name no day and no time.
        const double truncated = std::trunc(*static_cast<const double*>(source));
        if (!(truncated >= std::numeric_limits<int32_t>::min() && truncated <= std::numeric_limits<int32_t>::max()))
            return false;
        count = static_cast<int32_t>(truncated);
        return true;
    }
    case currencyValue: {
        const int64_t units = *static_cast<const int64_t*>(source) / 10000;
        if (!FitsInt32(units)) return false;
        count = static_cast<int32_t>(units);
        return true;
    }
    case decimalValue: {
        int64_t integer = 0;
        if (!DecimalIntegerPart(*static_cast<const DECIMAL*>(source), integer) || !FitsInt32(integer)) return false;
        count = static_cast<int32_t>(integer);
        return true;
    }
    default:
        return false;
    }
}

int32_t Store(const DbDateTime& value, void* destination) {
    std::memcpy(destination, &value, sizeof(value));
    return DbSuccess;
}

}  // namespace

int32_t ConvertToDate(const void* source, uint32_t sourceType, void* destination, uint32_t destinationType) {
    DbDateTime result = kNoDateNoTime;
    switch (sourceType) {
    case dateValue:
    case timeValue:
    case dateTimeValue:
        std::memcpy(&result, source, sizeof(result));
        break;
    default:
        if (!ReadCount(source, sourceType, result.day)) return DbNotConvertible;
        break;
    }
    if (destinationType == dateValue) {
        result.seconds = -1;
        result.nanoseconds = 0;
    }
    return Store(result, destination);
}

int32_t ConvertToTime(const void* source, uint32_t sourceType, void* destination) {
    DbDateTime result = kNoDateNoTime;
    switch (sourceType) {
    case dateValue:
        result.seconds = 0;
        break;
    case timeValue:
        std::memcpy(&result, source, sizeof(result));
        break;
    case dateTimeValue:
        std::memcpy(&result, source, sizeof(result));
        result.day = -1;
        break;
    default:
        if (!ReadCount(source, sourceType, result.seconds)) return DbNotConvertible;
        break;
    }
    return Store(result, destination);
}
