#include "common/dbconvert.h"

#include <cstdlib>
#include <cwchar>

#include "common/resultCodes.h"
#include "common/conversionRoutines.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/valueData.h"
#include "platform/dbAssert.h"

namespace {

// Without the exact size, a non-text value converted to text gets a buffer of this many bytes.
constexpr uint32_t kTextResultBytes = 128;

bool IsText(uint32_t valueType) { return valueType == stringValue || valueType == memoValue; }

// memoValue converts as stringValue on either side.
uint32_t ConversionType(uint32_t valueType) { return valueType == memoValue ? stringValue : valueType; }

// Multi-byte text in the system code page as UTF-16; empty when it cannot be converted.
SWCharString WideText(const char* text) {
    SWCharString wide;
    if (!wide.fromMBCS(text)) wide = L"";
    return wide;
}

uint32_t TextBytes(const wchar_t* text) { return static_cast<uint32_t>((std::wcslen(text) + 1) * sizeof(wchar_t)); }

int32_t CopySameType(const void* source, uint32_t flags, void* destination, uint32_t valueType,
                     uint32_t destinationSize) {
    if (valueType == stringValue) {
        if (flags & narrowText) {
            if (destination)
                WideText(static_cast<const char*>(source))
                    .toWChar(static_cast<wchar_t*>(destination), destinationSize / sizeof(wchar_t));
        } else {
            WriteTextToBuffer(static_cast<const wchar_t*>(source), destination, destinationSize);
        }
        return DbSuccess;
    }
    CopyValueData(source, destination, destinationSize, valueType);
    // An invalid type was not copied, so there is no result to report as success.
    return ValueSize(valueType) != 0 ? DbSuccess : DbNotConvertible;
}

int32_t ConvertBetweenTypes(const void* source, uint32_t sourceType, void* destination, uint32_t destinationType,
                            uint32_t destinationSize) {
    switch (destinationType) {
    case int8sValue:
    case int8uValue:
    case int16sValue:
    case int16uValue:
    case int32sValue:
    case int32uValue:
    case booleanValue:
    case int64sValue:
    case int64uValue:
        return ConvertToInteger(source, sourceType, destination, destinationType);
    case numberValue:
        return ConvertToNumber(source, sourceType, destination);
    case currencyValue:
        return ConvertToCurrency(source, sourceType, destination);
    case dateValue:
    case dateTimeValue:
        return ConvertToDate(source, sourceType, destination, destinationType);
    case timeValue:
        return ConvertToTime(source, sourceType, destination);
    case stringValue:
        return ConvertToText(source, sourceType, destination, destinationSize);
    case decimalValue:
        return ConvertToDecimal(source, sourceType, destination);
    default:
        DB_ASSERT_TEXT(false, "false");
        return DbNotConvertible;
    }
}

}  // namespace

int32_t ConvertValue(const void* source, uint32_t sourceType, uint32_t flags, void* destination,
                     uint32_t destinationType, uint32_t destinationSize) {
    sourceType = ConversionType(sourceType);
    destinationType = ConversionType(destinationType);
    const bool fixedSize = destinationType != stringValue && IsFixedSizeValue(destinationType);
    // A fixed-size result has nowhere to go without a buffer.
    if (!source || destinationType == noValueType || destinationType == blobValue || (fixedSize && !destination)) {
        DB_ASSERT_TEXT(false, "FALSE");
        return DbInvalidArgument;
    }
    if (fixedSize && ValueSize(destinationType) > destinationSize) return DbBufferTooSmall;

    if (sourceType == destinationType)
        return CopySameType(source, flags, destination, destinationType, destinationSize);

    if ((flags & narrowText) && sourceType == stringValue) {
        const SWCharString wide = WideText(static_cast<const char*>(source));
        return ConvertBetweenTypes(wide.c_str(), sourceType, destination, destinationType, destinationSize);
    }
    return ConvertBetweenTypes(source, sourceType, destination, destinationType, destinationSize);
}

int32_t GetConvertedSize(const void* source, uint32_t sourceType, uint32_t flags, uint32_t destinationType,
                         uint32_t& size, bool exact) {
    size = 0;
    if (!source || destinationType == blobValue || destinationType == noValueType) return DbInvalidArgument;
    if (!IsText(destinationType)) {
        if (IsFixedSizeValue(destinationType)) size = ValueSize(destinationType);
        return DbSuccess;
    }
    if (IsText(sourceType)) {
        size = (flags & narrowText) ? TextBytes(WideText(static_cast<const char*>(source)).c_str())
                                    : TextBytes(static_cast<const wchar_t*>(source));
        return DbSuccess;
    }
    if (!exact) {
        size = kTextResultBytes;
        return DbSuccess;
    }
    wchar_t scratch[kTextResultBytes / sizeof(wchar_t)] = {};
    const int32_t result = ConvertValue(source, sourceType, flags, scratch, stringValue, kTextResultBytes);
    if (result == DbSuccess) size = TextBytes(scratch);
    return result;
}

int32_t ConvertToNewBuffer(const void* source, uint32_t sourceType, uint32_t flags, void*& result,
                           uint32_t destinationType) {
    result = nullptr;
    if (source && IsText(sourceType) && IsText(destinationType) && !(flags & narrowText)) {
        result = DuplicateText(static_cast<const wchar_t*>(source));
        return DbSuccess;
    }
    uint32_t size = 0;
    const int32_t sized = GetConvertedSize(source, sourceType, flags, destinationType, size, false);
    if (sized != DbSuccess) return sized;
    void* buffer = AllocateZeroed(size);
    const int32_t converted = ConvertValue(source, sourceType, flags, buffer, destinationType, size);
    if (converted != DbSuccess) {
        // A failed conversion put nothing into the buffer that would need releasing.
        std::free(buffer);
        return converted;
    }
    result = buffer;
    return DbSuccess;
}

SWCharString ValueToString(const DbValue& value) {
    if (value.kind != discreteValueKind || !value.data) return SWCharString();
    if (IsText(value.valueType)) return SWCharString(static_cast<const wchar_t*>(value.data));
    void* text = nullptr;
    if (ConvertToNewBuffer(value.data, value.valueType, 0, text, stringValue) != DbSuccess) return SWCharString();
    SWCharString result(static_cast<const wchar_t*>(text));
    FreeValueData(text, stringValue);
    return result;
}
