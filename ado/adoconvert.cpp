#include "ado/adoconvert.h"

#include "common/dbvalue.h"
#include "platform/dbAssert.h"

namespace {

enum class LengthRule {
    fixed,       // the row's length
    character,   // 2n + 2 for a defined size n of 1 to 0x7FFFFFFE, else 512
    byteString,  // 4n + 2 for a defined size n of 1 to 0x3FFFFFFE, else 1022
};

struct AdoTypeRow {
    uint32_t typeCode;
    DbValueType valueType;
    LengthRule rule;
    uint32_t length;  // for LengthRule::fixed
    uint32_t options;
};

constexpr uint32_t kVariantArray = 0x200C;  // VT_ARRAY | VT_VARIANT

const AdoTypeRow kAdoTypes[] = {
    {0, stringValue, LengthRule::fixed, 510, AdoTypeOptionWideText},               // adEmpty
    {138, stringValue, LengthRule::fixed, 510, AdoTypeOptionWideText},             // adPropVariant
    {2, int16sValue, LengthRule::fixed, 2, 0},                                     // adSmallInt
    {16, int16sValue, LengthRule::fixed, 2, 0},                                    // adTinyInt
    {3, int32sValue, LengthRule::fixed, 4, 0},                                     // adInteger
    {4, numberValue, LengthRule::fixed, 8, 0},                                     // adSingle
    {5, numberValue, LengthRule::fixed, 8, 0},                                     // adDouble
    {6, currencyValue, LengthRule::fixed, 8, 0},                                   // adCurrency
    {7, dateTimeValue, LengthRule::fixed, 12, 0},                                  // adDate
    {64, dateTimeValue, LengthRule::fixed, 12, 0},                                 // adFileTime
    {135, dateTimeValue, LengthRule::fixed, 12, 0},                                // adDBTimeStamp
    {133, dateValue, LengthRule::fixed, 12, 0},                                    // adDBDate
    {134, timeValue, LengthRule::fixed, 12, 0},                                    // adDBTime
    {8, stringValue, LengthRule::character, 0, AdoTypeOptionWideText},             // adBSTR
    {130, stringValue, LengthRule::character, 0, AdoTypeOptionWideText},           // adWChar
    {202, stringValue, LengthRule::character, 0, AdoTypeOptionWideText},           // adVarWChar
    {129, stringValue, LengthRule::character, 0, 0},                               // adChar
    {200, stringValue, LengthRule::character, 0, 0},                               // adVarChar
    {141, stringValue, LengthRule::character, 0, 0},                               // OLE DB code 141
    {132, stringValue, LengthRule::character, 0, AdoTypeOptionUserDefined},        // adUserDefined
    {72, stringValue, LengthRule::fixed, 102, 0},                                  // adGUID
    {12, stringValue, LengthRule::fixed, AdoNoFixedLength, 0},                     // adVariant
    {kVariantArray, stringValue, LengthRule::fixed, AdoNoFixedLength, 0},
    {128, stringValue, LengthRule::byteString, 0, AdoTypeOptionByteString},        // adBinary
    {204, stringValue, LengthRule::byteString, 0, AdoTypeOptionByteString},        // adVarBinary
    {201, memoValue, LengthRule::fixed, AdoNoFixedLength, 0},                      // adLongVarChar
    {203, memoValue, LengthRule::fixed, AdoNoFixedLength, AdoTypeOptionWideText},  // adLongVarWChar
    {205, blobValue, LengthRule::fixed, AdoNoFixedLength, 0},                      // adLongVarBinary
    {10, int32uValue, LengthRule::fixed, 4, 0},                                    // adError
    {19, int32uValue, LengthRule::fixed, 4, 0},                                    // adUnsignedInt
    {11, booleanValue, LengthRule::fixed, 2, 0},                                   // adBoolean
    {14, decimalValue, LengthRule::fixed, 16, 0},                                  // adDecimal
    {131, decimalValue, LengthRule::fixed, 16, 0},                                 // adNumeric
    {139, decimalValue, LengthRule::fixed, 16, 0},                                 // adVarNumeric
    {17, int8uValue, LengthRule::fixed, 1, 0},                                     // adUnsignedTinyInt
    {18, int16uValue, LengthRule::fixed, 2, 0},                                    // adUnsignedSmallInt
    {20, int64sValue, LengthRule::fixed, 8, 0},                                    // adBigInt
    {21, int64uValue, LengthRule::fixed, 8, 0},                                    // adUnsignedBigInt
};

// Both bounds keep the products within 32 unsigned bits.
uint32_t CharacterLength(int32_t definedSize) {
    if (definedSize < 1 || definedSize > 0x7FFFFFFE) return 512;
    return 2u * static_cast<uint32_t>(definedSize) + 2u;
}

uint32_t ByteStringLength(int32_t definedSize) {
    if (definedSize < 1 || definedSize > 0x3FFFFFFE) return 1022;
    return 4u * static_cast<uint32_t>(definedSize) + 2u;
}

uint32_t RowLength(const AdoTypeRow& row, int32_t definedSize) {
    switch (row.rule) {
        case LengthRule::character:
            return CharacterLength(definedSize);
        case LengthRule::byteString:
            return ByteStringLength(definedSize);
        case LengthRule::fixed:
            break;
    }
    return row.length;
}

}  // namespace

bool MapAdoType(uint32_t typeCode, int32_t definedSize, uint32_t& valueType, uint32_t& length,
                uint32_t& typeOptions) {
    typeOptions = 0;
    for (const AdoTypeRow& row : kAdoTypes) {
        if (row.typeCode != typeCode) continue;
        valueType = row.valueType;
        length = RowLength(row, definedSize);
        typeOptions |= row.options;
        return true;
    }
    valueType = noValueType;
    length = 0;
    DB_ASSERT_TEXT(false, "false");
    return false;
}
