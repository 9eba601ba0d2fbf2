// The conversion matrix as a table, one row per source with what it converts to: every pair of
// kinds, both sides of every integer range, refusals, buffer sizes and truncation.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/dbconvert.h"
#include "common/dbvalue.h"
#include "common/valueData.h"
#include "platform/stringConversion.h"
#include "reportedAssertions.h"

namespace {

// One typed datum, as a source or as the expected result.
struct Datum {
    uint32_t type;
    std::vector<uint8_t> bytes;
};

template <class T>
Datum Make(uint32_t type, T value) {
    Datum datum{type, std::vector<uint8_t>(sizeof(T))};
    std::memcpy(datum.bytes.data(), &value, sizeof(T));
    return datum;
}

Datum I8(int8_t v) { return Make(int8sValue, v); }
Datum U8(uint8_t v) { return Make(int8uValue, v); }
Datum I16(int16_t v) { return Make(int16sValue, v); }
Datum U16(uint16_t v) { return Make(int16uValue, v); }
Datum I32(int32_t v) { return Make(int32sValue, v); }
Datum U32(uint32_t v) { return Make(int32uValue, v); }
Datum I64(int64_t v) { return Make(int64sValue, v); }
Datum U64(uint64_t v) { return Make(int64uValue, v); }
Datum Num(double v) { return Make(numberValue, v); }
Datum Cy(int64_t tenThousandths) { return Make(currencyValue, tenThousandths); }
Datum Bool(uint16_t word) { return Make(booleanValue, word); }
Datum Date(int32_t day) { return Make(dateValue, DbDateTime{day, -1, 0}); }
Datum Time(int32_t seconds, uint32_t ns = 0) { return Make(timeValue, DbDateTime{-1, seconds, ns}); }
Datum DateTime(int32_t day, int32_t s, uint32_t ns = 0) { return Make(dateTimeValue, DbDateTime{day, s, ns}); }
Datum Dec(bool negative, BYTE scale, uint64_t low, ULONG high = 0) {
    const BYTE sign = negative ? DECIMAL_NEG : 0;
    return Make(decimalValue, DECIMAL{VT_DECIMAL, {{scale, sign}}, high, {{ULONG(low), ULONG(low >> 32)}}});
}
Datum Text(const std::wstring& text, uint32_t type = stringValue) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
    return Datum{type, std::vector<uint8_t>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

// Only the destination type: the conversion is refused with 600.
Datum No(uint32_t type) { return Datum{type, {}}; }

// A source and the results of converting it.
struct Row {
    Datum source;
    std::vector<Datum> results;
};

// 1 January 2000, or 01:02:03, as the user's locale writes it.
std::wstring UserText(bool date) {
    const SYSTEMTIME parts{2000, 1, 6, 1, 1, 2, 3, 0};
    wchar_t text[128];
    const auto format = date ? GetDateFormatW : GetTimeFormatW;
    EXPECT_GT(format(LOCALE_USER_DEFAULT, date ? DATE_SHORTDATE : 0, &parts, nullptr, text, 128), 0);
    return text;
}

// A date as the user's locale writes it, for any year: Windows writes the same day of 2000 and
// the year is put in place of 2000.
std::wstring UserDate(int year, int month, int day) {
    const SYSTEMTIME parts{2000, static_cast<WORD>(month), 0, static_cast<WORD>(day), 0, 0, 0, 0};
    wchar_t text[128];
    EXPECT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &parts, nullptr, text, 128), 0);
    std::wstring date = text;
    return date.replace(date.find(L"2000"), 4, std::to_wstring(year));
}

std::wstring NumberText(double value) {
    wchar_t buffer[SWCharStringConv::kBufferSize];
    return SWCharStringConv::ToString(buffer, value, 2);
}

constexpr uint64_t kTwoTo63 = uint64_t{1} << 63;
constexpr int32_t kDay2000 = 2451544;  // 1 January 2000
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const wchar_t* const kMaxText = L"18446744073709551615";  // 2^64 - 1

std::vector<Row> Rows() {
    return {
        // Integers 0 to 5.
        {I32(300), {No(int8uValue)}}, {I32(-1), {No(int8uValue)}}, {I32(255), {U8(255)}}, {I32(5), {Bool(1), I32(5)}},
        {I8(-128), {I16(-128), Num(-128.0), Cy(-1280000), Date(-128), Time(-128), Text(L"-128"), Dec(true, 0, 128)}},
        {U8(200), {I16(200), Dec(false, 0, 200)}}, {I16(-300), {I32(-300), No(int8uValue), Text(L"-300")}}, {U16(65535), {I32(65535), DateTime(65535, -1)}},
        {U32(4294967295u), {I64(4294967295LL), Num(4294967295.0), Date(-1), Text(L"4294967295")}},
        // Numbers; VarDecFromR8 fails for NaN.
        {Num(kNaN), {No(int32sValue), No(booleanValue), No(currencyValue), No(dateTimeValue), No(decimalValue)}},
        {Num(-2.9), {I32(-2)}}, {Num(127.9), {I8(127)}}, {Num(128.0), {No(int8sValue)}}, {Num(0.4), {Bool(0)}},
        {Num(1e19), {No(int64sValue)}}, {Num(-9.3e18), {No(int64sValue)}}, {Num(-0x1p63), {I64(INT64_MIN)}},
        {Num(2.5), {Cy(25000)}}, {Num(0.00005), {Cy(1)}}, {Num(-0.00005), {Cy(0)}}, {Num(1.23456), {Cy(12346)}},
        {Num(1e15), {No(currencyValue)}}, {Num(3600.5), {Date(3600), Time(3600)}}, {Num(3e9), {No(dateValue)}},
        {Num(-3e9), {No(timeValue)}}, {Num(0.0), {Text(NumberText(0.0))}}, {Num(1e80), {No(stringValue)}},
        {Num(1.5), {Num(1.5), Text(NumberText(1.5)), Dec(false, 1, 15)}}, {Num(-1e-80), {No(stringValue)}},
        {Num(3.14159265), {Text(L"3.14159265")}},  // the fewest digits that read back the same
        // Currency.
        {Cy(12345), {I32(1), Num(1.2345), Cy(12345), Text(L"1.2345")}}, {Cy(-19999), {I32(-1)}},
        {Cy(36000000), {Date(3600), Time(3600)}}, {Cy(21474836480000LL), {No(dateValue), No(timeValue)}},
        {Cy(-12345), {Dec(true, 4, 12345)}}, {Cy(INT64_MIN), {Dec(true, 4, kTwoTo63)}},
        // Booleans.
        {Bool(5), {I32(1)}}, {Bool(0), {I16(0), Text(L"0")}}, {Bool(2), {Text(L"1"), No(dateValue), No(timeValue)}},
        {Bool(0xFFFF), {Num(-1.0), Cy(-10000), Dec(true, 0, 1)}},
        // Dates, times and date-times.
        {Date(7), {I32(7), Num(7.0), Cy(70000), DateTime(7, -1), Time(0), Dec(false, 0, 7)}},
        {Date(kDay2000), {Text(UserText(true))}},
        {DateTime(kDay2000, 3723), {Text(UserText(true) + L" " + UserText(false))}},
        {Time(3661, 5), {I32(3661), Num(3661.0), Cy(36610000), Date(-1), DateTime(-1, 3661, 5)}},
        {Time(3723, 5000000), {Text(UserText(false))}}, {Time(-5), {Dec(true, 0, 5)}},
        // Dates that Windows does not format, and values without a date.
        {Date(2299160), {Text(UserDate(1582, 10, 15))}}, {Date(2305812), {Text(UserDate(1600, 12, 31))}},
        {Date(0), {Text(UserDate(-4713, 1, 1))}}, {Date(16330759), {Text(UserDate(40000, 1, 1))}},
        {DateTime(2299160, 3723), {Text(UserDate(1582, 10, 15) + L" " + UserText(false))}},
        {Date(-1), {Text(L"")}}, {DateTime(-1, 3723), {Text(UserText(false))}},
        {DateTime(7, 3661, 9), {I32(7), Num(7.0), Cy(70000), Date(7), Time(3661, 9), Dec(false, 0, 7)}},
        // Texts; those that no amount or number reads fail VarCyFromStr and VarDecFromStr.
        {Text(L""), {No(int32sValue), No(numberValue)}}, {Text(L"1.5x"), {No(int32sValue), No(numberValue)}},
        {Text(L"9223372036854775808"), {No(int64sValue)}}, {Text(L"-9223372036854775808"), {I64(INT64_MIN)}},
        {Text(L"42", memoValue), {U8(42)}}, {Text(L"+5"), {I32(5)}},
        {Text(L"1.5"), {Num(1.5), Cy(15000), Dec(false, 1, 15)}},
        {Text(L"abc"), {Cy(0), Dec(false, 0, 0)}}, {Text(L"plain", memoValue), {Text(L"plain")}},
        {Text(L"1e30"), {No(currencyValue)}}, {Text(L"2000-01-01"), {No(dateValue)}}, {Text(L"10:00"), {No(timeValue)}},
        // Blobs, and destinations that nothing converts to.
        {Make(blobValue, uint64_t{0}), {No(int32sValue), No(numberValue), No(currencyValue), No(dateValue)}},
        {Make(blobValue, uint64_t{0}), {No(timeValue), No(stringValue), No(decimalValue)}},
        {I32(1), {No(12), No(opaque64Value), No(interfaceValue), No(42)}},
        // DECIMALs; VarCyFromDec fails beyond currency and VarI8FromDec beyond 64 bits, a scale
        // beyond 28 fails VarDecInt and VarR8FromDec (read as 0).
        {Dec(false, 29, 5), {No(int64sValue), Num(0.0)}},
        {Dec(false, 1, 25), {I32(2), Num(2.5), Cy(25000)}}, {Dec(true, 1, 25), {I32(-3), Text(L"-2.5")}},
        {Dec(false, 0, 0, 5), {No(int64sValue), No(currencyValue)}}, {Dec(false, 1, 36005), {Date(3600), Time(3600)}},
        {Dec(false, 0, 3000000000u), {No(dateValue)}}, {Dec(false, 2, 150), {Dec(false, 2, 150)}},
        // 64-bit integers; an unsigned one of 2^63 or more stays unsigned.
        {I64(-7), {I8(-7), Num(-7.0)}}, {I64(922337203685477LL), {Cy(9223372036854770000LL)}},
        {I64(922337203685478LL), {No(currencyValue)}}, {I64(-922337203685478LL), {No(currencyValue)}},
        {I64((int64_t{1} << 32) + 5), {Date(5)}}, {I64(-1), {Time(-1), No(int64uValue)}},
        {I64(INT64_MIN), {Bool(1), Text(L"-9223372036854775808"), Dec(true, 0, kTwoTo63)}},
        {U64(kTwoTo63 - 1), {I64(INT64_MAX)}}, {U64(0x100000E10ULL), {Cy(42949708960000LL), Date(3600), Time(3600)}},
        {U64(kTwoTo63), {No(int64sValue), Num(9223372036854775808.0), No(currencyValue), Bool(1)}},
        {U64(UINT64_MAX), {No(int64sValue), Num(0x1p64), Text(kMaxText), Dec(false, 0, UINT64_MAX)}},
        // Opaque words and interface pointers.
        {Make(opaque64Value, UINT64_MAX), {I32(-1), Num(-1.0), Text(kMaxText), No(dateValue), Dec(true, 0, 1)}},
        {Make(interfaceValue, uint64_t{7}), {U8(7), Cy(70000), No(timeValue)}},
    };
}

void CheckRow(const Datum& source, const Datum& expected) {
    SCOPED_TRACE("row " + std::to_string(source.type) + " -> " + std::to_string(expected.type));
    const bool text = expected.type == stringValue || expected.type == memoValue;
    std::vector<uint8_t> buffer(160, 0xCC);
    // Exactly the room the result needs, as the engine gives it.
    const uint32_t size = text || expected.bytes.empty() ? static_cast<uint32_t>(buffer.size())
                                                         : static_cast<uint32_t>(expected.bytes.size());
    ASSERT_EQ(ConvertValue(source.bytes.data(), source.type, 0, buffer.data(), expected.type, size),
              expected.bytes.empty() ? 600 : 0);
    if (expected.bytes.empty()) {
        EXPECT_EQ(buffer, std::vector<uint8_t>(160, 0xCC)) << "a refused conversion writes nothing";
        return;
    }
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + expected.bytes.size()), expected.bytes);
    EXPECT_TRUE(text || buffer[size] == 0xCC) << "written beyond the destination type's size";
}

}  // namespace

TEST(ConversionMatrix, EveryPairOfKinds) {
    for (const Row& row : Rows())
        for (const Datum& expected : row.results) CheckRow(row.source, expected);
}

TEST(ConversionMatrix, IntegerRangesOnBothSides) {
    const std::tuple<uint32_t, int64_t, int64_t> ranges[] = {
        {int8sValue, -128, 127}, {int8uValue, 0, 255}, {int16sValue, -32768, 32767}, {int16uValue, 0, 65535},
        {int32sValue, INT32_MIN, INT32_MAX}, {int32uValue, 0, UINT32_MAX}, {int64uValue, 0, INT64_MAX}};
    for (const auto& [type, low, high] : ranges) {
        for (int64_t value : {low, high}) {  // the result is the value's low bytes
            const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
            CheckRow(I64(value), Datum{type, std::vector<uint8_t>(bytes, bytes + ValueSize(type))});
        }
        CheckRow(I64(low - 1), No(type));
        if (high < INT64_MAX) CheckRow(I64(high + 1), No(type));
    }
}

TEST(ConversionMatrix, InvalidArgumentsAndBufferSizes) {
    ReportedAssertions assertions;
    int32_t number = 300;
    double result = 0;
    EXPECT_EQ(ConvertValue(nullptr, int32sValue, 0, &result, numberValue, 8), 12);
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, &result, noValueType, 8), 12);
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, &result, blobValue, 8), 12);
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, nullptr, numberValue, 8), 12);
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>(4, L"dbconvert|FALSE"));

    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, &result, numberValue, 4), 601);
    EXPECT_EQ(ConvertValue(&number, 12, 0, &result, numberValue, 8), 600);
    EXPECT_EQ(ConvertValue(&number, 12, 0, &result, 12, 8), 600) << "an invalid type is not copied";
    EXPECT_EQ(result, 0.0);

    number = 123456;  // text destinations receive what fits
    wchar_t text[8];
    std::wmemset(text, L'#', 8);
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, text, stringValue, 8), 0);
    EXPECT_STREQ(text, L"123");
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, text, stringValue, 1), 0);
    EXPECT_STREQ(text, L"123") << "no room for a terminator: nothing written";
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, nullptr, memoValue, 16), 0);

    std::wmemset(text, L'#', 8);
    EXPECT_EQ(ConvertValue(L"abcdefgh", stringValue, 0, text, memoValue, 10), 0);
    EXPECT_STREQ(text, L"abcd");
    EXPECT_EQ(text[5], L'#');
    EXPECT_EQ(ConvertValue(L"x", stringValue, 0, nullptr, stringValue, 10), 0);
    EXPECT_EQ(ConvertValue("narrow", memoValue, narrowText, text, stringValue, 8), 0);
    EXPECT_STREQ(text, L"nar");
    EXPECT_EQ(ConvertValue("2.25", memoValue, narrowText, &result, numberValue, 8), 0);
    EXPECT_EQ(result, 2.25);
}

TEST(ConversionMatrix, ConvertedSizesAndNewBuffers) {
    const int32_t number = -1234;
    const double huge = 1e80;
    const auto sized = [](const void* source, uint32_t sourceType, uint32_t flags, uint32_t type, bool exact) {
        uint32_t size = 99;
        const int32_t result = GetConvertedSize(source, sourceType, flags, type, size, exact);
        return std::make_pair(result, size);
    };
    using Sized = std::pair<int32_t, uint32_t>;
    EXPECT_EQ(sized(nullptr, int32sValue, 0, numberValue, false), Sized(12, 0));
    EXPECT_EQ(sized(&number, int32sValue, 0, blobValue, false), Sized(12, 0));
    EXPECT_EQ(sized(&huge, numberValue, 0, stringValue, true), Sized(600, 0));
    EXPECT_EQ(sized(&number, int32sValue, 0, dateTimeValue, false), Sized(0, 12));
    EXPECT_EQ(sized(L"four", stringValue, 0, memoValue, false), Sized(0, 10));
    EXPECT_EQ(sized("narrow", stringValue, narrowText, stringValue, false), Sized(0, 14));
    EXPECT_EQ(sized(&number, int32sValue, 0, stringValue, false), Sized(0, 128));
    EXPECT_EQ(sized(&number, int32sValue, 0, stringValue, true), Sized(0, 12)) << "\"-1234\" and its terminator";

    void* result = nullptr;
    EXPECT_EQ(ConvertToNewBuffer(&number, int32sValue, 0, result, numberValue), 0);
    EXPECT_EQ(*static_cast<double*>(result), -1234.0);
    FreeValueData(result, numberValue);
    EXPECT_EQ(ConvertToNewBuffer("narrow", stringValue, narrowText, result, memoValue), 0);
    EXPECT_STREQ(static_cast<const wchar_t*>(result), L"narrow");
    FreeValueData(result, memoValue);
    EXPECT_EQ(ConvertToNewBuffer(L"wide", stringValue, 0, result, memoValue), 0);
    EXPECT_STREQ(static_cast<const wchar_t*>(result), L"wide");
    FreeValueData(result, memoValue);

    result = &result;
    EXPECT_EQ(ConvertToNewBuffer(&number, int32sValue, 0, result, int8uValue), 600);
    EXPECT_EQ(result, nullptr);
}
