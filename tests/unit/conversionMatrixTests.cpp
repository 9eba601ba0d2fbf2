// The conversion matrix, one row per case: every pair of source and destination kinds, both
// sides of every integer range, refusals, buffer sizes and truncation.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "common/dbconvert.h"
#include "common/dbvalue.h"
#include "common/heapRecord.h"
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
Datum Opaque(uint64_t bits) { return Make(opaque64Value, bits); }
Datum Interface(uint64_t bits) { return Make(interfaceValue, bits); }
Datum Date(int32_t day) { return Make(dateValue, DbDateTime{day, -1, 0}); }
Datum Time(int32_t seconds, uint32_t nanoseconds = 0) {
    return Make(timeValue, DbDateTime{-1, seconds, nanoseconds});
}
Datum Stamp(uint32_t type, int32_t day, int32_t seconds, uint32_t nanoseconds) {
    return Make(type, DbDateTime{day, seconds, nanoseconds});
}
Datum DateTime(int32_t day, int32_t seconds, uint32_t nanoseconds = 0) {
    return Stamp(dateTimeValue, day, seconds, nanoseconds);
}
Datum Dec(bool negative, BYTE scale, uint64_t low, ULONG high = 0) {
    DECIMAL value{};
    value.wReserved = VT_DECIMAL;
    value.sign = negative ? DECIMAL_NEG : 0;
    value.scale = scale;
    value.Hi32 = high;
    value.Lo64 = low;
    return Make(decimalValue, value);
}
Datum Text(const std::wstring& text, uint32_t type = stringValue) {
    Datum datum{type, std::vector<uint8_t>((text.size() + 1) * sizeof(wchar_t))};
    std::memcpy(datum.bytes.data(), text.c_str(), datum.bytes.size());
    return datum;
}
Datum Blob() { return Make(blobValue, uint64_t{0}); }
// Only the destination type: the conversion is refused.
Datum To(uint32_t type) { return Datum{type, {}}; }

struct Row {
    Datum source;
    Datum expected;
    int32_t result;
};

Row Gives(Datum source, Datum expected) { return Row{std::move(source), std::move(expected), 0}; }
Row Refuses(Datum source, uint32_t destinationType) { return Row{std::move(source), To(destinationType), 600}; }

std::wstring UserDate(WORD year, WORD month, WORD day) {
    SYSTEMTIME parts{};
    parts.wYear = year;
    parts.wMonth = month;
    parts.wDay = day;
    wchar_t text[128];
    EXPECT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &parts, nullptr, text, 128), 0);
    return text;
}

std::wstring UserTime(WORD hour, WORD minute, WORD second) {
    SYSTEMTIME parts{};
    parts.wHour = hour;
    parts.wMinute = minute;
    parts.wSecond = second;
    wchar_t text[128];
    EXPECT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &parts, nullptr, text, 128), 0);
    return text;
}

std::wstring NumberText(double value) {
    wchar_t buffer[SWCharStringConv::kBufferSize];
    return SWCharStringConv::ToString(buffer, value, 2);
}

constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr uint64_t kUInt64Max = std::numeric_limits<uint64_t>::max();
constexpr uint64_t kTwoTo63 = uint64_t{1} << 63;
constexpr int32_t kDay2000 = 2451544;  // 1 January 2000
const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<Row> IntegerRangeRows() {
    return {
        Gives(I32(-128), I8(-128)),    Refuses(I32(-129), int8sValue), Gives(I32(127), I8(127)),
        Refuses(I32(128), int8sValue), Gives(I32(0), U8(0)),           Refuses(I32(-1), int8uValue),
        Gives(I32(255), U8(255)),      Refuses(I32(256), int8uValue),  Refuses(I32(300), int8uValue),
        Gives(I32(-32768), I16(-32768)), Refuses(I32(-32769), int16sValue), Gives(I32(32767), I16(32767)),
        Refuses(I32(32768), int16sValue), Gives(I32(0), U16(0)), Refuses(I8(-1), int16uValue),
        Gives(I32(65535), U16(65535)), Refuses(I32(65536), int16uValue),
        Gives(I64(-2147483648LL), I32(INT32_MIN)), Refuses(I64(-2147483649LL), int32sValue),
        Gives(I64(2147483647LL), I32(INT32_MAX)), Refuses(I64(2147483648LL), int32sValue),
        Gives(I64(0), U32(0)), Refuses(I64(-1), int32uValue), Gives(I64(4294967295LL), U32(4294967295u)),
        Refuses(I64(4294967296LL), int32uValue),
        Gives(U64(kTwoTo63 - 1), I64(kInt64Max)), Refuses(U64(kTwoTo63), int64sValue),
        Refuses(U64(kUInt64Max), int64sValue), Gives(I64(0), U64(0)), Refuses(I64(-1), int64uValue),
        Gives(I64(kInt64Max), U64(kTwoTo63 - 1)),
        Gives(I32(5), Bool(1)), Gives(I32(0), Bool(0)), Gives(I64(kInt64Min), Bool(1)),
        Gives(U64(kTwoTo63), Bool(1)),
    };
}

std::vector<Row> MatrixRows() {
    return {
        // Integers 0 to 5 into every kind.
        Gives(U8(200), I16(200)), Gives(U16(65535), I32(65535)), Gives(U32(4294967295u), I64(4294967295LL)),
        Gives(I8(-5), Num(-5.0)), Gives(U32(4000000000u), Num(4000000000.0)), Gives(I16(-3), Cy(-30000)),
        Gives(I32(kDay2000), Date(kDay2000)), Gives(I8(-5), Date(-5)), Gives(U16(7), DateTime(7, -1)),
        Gives(U32(4294967295u), Date(-1)), Gives(I32(3600), Time(3600)), Gives(I8(-128), Text(L"-128")),
        Gives(U32(4294967295u), Text(L"4294967295")), Gives(I16(-32768), Text(L"-32768")),
        Gives(I32(-7), Dec(true, 0, 7)), Gives(U8(200), Dec(false, 0, 200)),
        // Numbers.
        Gives(Num(2.9), I32(2)), Gives(Num(-2.9), I32(-2)), Gives(Num(127.9), I8(127)), Refuses(Num(128.0), int8sValue),
        Refuses(Num(kNaN), int32sValue), Refuses(Num(1e19), int64sValue), Refuses(Num(-9.3e18), int64sValue),
        Gives(Num(-9223372036854775808.0), I64(kInt64Min)), Refuses(Num(kNaN), booleanValue), Gives(Num(0.4), Bool(0)),
        Gives(Num(2.5), Cy(25000)), Gives(Num(0.00005), Cy(1)), Gives(Num(-0.00005), Cy(0)),
        Gives(Num(1.23456), Cy(12346)), Refuses(Num(1e15), currencyValue), Refuses(Num(kNaN), currencyValue),
        Gives(Num(2451544.7), Date(kDay2000)), Refuses(Num(3e9), dateValue), Refuses(Num(kNaN), dateTimeValue),
        Gives(Num(3600.5), Time(3600)), Refuses(Num(-3e9), timeValue),
        Gives(Num(1.5), Text(NumberText(1.5))), Gives(Num(0.0), Text(NumberText(0.0))),
        Refuses(Num(1e80), stringValue), Refuses(Num(-1e-80), stringValue), Gives(Num(1.5), Dec(false, 1, 15)),
        Refuses(Num(kNaN), decimalValue),
        // Currency.
        Gives(Cy(12345), I32(1)), Gives(Cy(-19999), I32(-1)), Refuses(Cy(1280000), int8sValue),
        Gives(Cy(12345), Num(1.2345)), Gives(Cy(kDay2000 * 10000LL), Date(kDay2000)),
        Refuses(Cy(21474836480000LL), dateValue), Gives(Cy(36000000), Time(3600)),
        Refuses(Cy(-21474836490000LL), timeValue), Gives(Cy(12345), Text(L"1.2345")),
        Gives(Cy(-12345), Dec(true, 4, 12345)), Gives(Cy(kInt64Min), Dec(true, 4, kTwoTo63)),
        // Booleans.
        Gives(Bool(5), I32(1)), Gives(Bool(0), I16(0)), Gives(Bool(0xFFFF), Num(-1.0)),
        Gives(Bool(0xFFFF), Cy(-10000)), Refuses(Bool(1), dateValue), Refuses(Bool(1), timeValue),
        Gives(Bool(2), Text(L"1")), Gives(Bool(0), Text(L"0")), Gives(Bool(0xFFFF), Dec(true, 0, 1)),
        // Dates.
        Gives(Date(kDay2000), I32(kDay2000)), Refuses(Date(kDay2000), int16sValue),
        Gives(Date(kDay2000), Num(2451544.0)),
        Gives(Date(kDay2000), Cy(kDay2000 * 10000LL)), Gives(Date(kDay2000), DateTime(kDay2000, -1)),
        Gives(Date(kDay2000), Time(0)), Gives(Date(kDay2000), Text(UserDate(2000, 1, 1))),
        Gives(Date(kDay2000), Dec(false, 0, kDay2000)),
        // Times.
        Gives(Time(3661), I32(3661)), Gives(Time(3661), Num(3661.0)), Gives(Time(3661), Cy(36610000)),
        Gives(Time(3661, 5), Date(-1)), Gives(Time(3661, 5), DateTime(-1, 3661, 5)),
        Gives(Time(3661, 5000000), Text(UserTime(1, 1, 1))), Gives(Time(-5), Dec(true, 0, 5)),
        // Texts.
        Gives(Text(L"123"), I32(123)), Refuses(Text(L"12a"), int32sValue), Refuses(Text(L""), int32sValue),
        Refuses(Text(L"-129"), int8sValue), Refuses(Text(L"9223372036854775808"), int64sValue),
        Gives(Text(L"-9223372036854775808"), I64(kInt64Min)), Gives(Text(L"42", memoValue), U8(42)),
        Gives(Text(L"1.5"), Num(1.5)), Refuses(Text(L"1.5x"), numberValue), Refuses(Text(L""), numberValue),
        Gives(Text(L"1.5"), Cy(15000)), Gives(Text(L"abc"), Cy(0)), Refuses(Text(L"1e30"), currencyValue),
        Refuses(Text(L"2000-01-01"), dateValue), Refuses(Text(L"10:00"), timeValue),
        Refuses(Text(L"1"), dateTimeValue), Gives(Text(L"plain"), Text(L"plain", memoValue)),
        Gives(Text(L"1.5", memoValue), Dec(false, 1, 15)), Gives(Text(L"abc"), Dec(false, 0, 0)),
        // Blobs.
        Refuses(Blob(), int32sValue), Refuses(Blob(), booleanValue), Refuses(Blob(), numberValue),
        Refuses(Blob(), currencyValue), Refuses(Blob(), dateValue), Refuses(Blob(), timeValue),
        Refuses(Blob(), stringValue), Refuses(Blob(), decimalValue),
        // Date-times.
        Gives(DateTime(kDay2000, 3661, 7), I32(kDay2000)), Gives(DateTime(kDay2000, 3661), Num(2451544.0)),
        Gives(DateTime(kDay2000, 3661), Cy(kDay2000 * 10000LL)), Gives(DateTime(kDay2000, 3661, 7), Date(kDay2000)),
        Gives(DateTime(kDay2000, 3661, 7), Time(3661, 7)),
        Gives(DateTime(kDay2000, 3661), Text(UserDate(2000, 1, 1) + L" " + UserTime(1, 1, 1))),
        Gives(DateTime(kDay2000, 3661), Dec(false, 0, kDay2000)),
        // DECIMALs.
        Gives(Dec(false, 1, 25), I32(2)), Gives(Dec(true, 1, 25), I32(-3)), Refuses(Dec(false, 0, 0, 5), int64sValue),
        Gives(Dec(false, 1, 25), Num(2.5)), Gives(Dec(false, 1, 25), Cy(25000)),
        Refuses(Dec(false, 0, 0, 5), currencyValue), Gives(Dec(false, 1, 24515445), Date(kDay2000)),
        Refuses(Dec(false, 0, 3000000000u), dateValue), Gives(Dec(false, 0, 3600), Time(3600)),
        Gives(Dec(true, 1, 25), Text(L"-2.5")), Gives(Dec(false, 2, 150), Dec(false, 2, 150)),
        // 64-bit integers.
        Gives(I64(-7), I8(-7)), Gives(I64(-7), Num(-7.0)), Gives(I64(922337203685477LL), Cy(9223372036854770000LL)),
        Refuses(I64(922337203685478LL), currencyValue), Refuses(I64(-922337203685478LL), currencyValue),
        Gives(I64((int64_t{1} << 32) + 5), Date(5)), Gives(I64(-1), Time(-1)),
        Gives(I64(kInt64Min), Text(L"-9223372036854775808")), Gives(I64(kInt64Min), Dec(true, 0, kTwoTo63)),
        Gives(U64(kTwoTo63), Num(9223372036854775808.0)), Gives(U64(kUInt64Max), Num(18446744073709551616.0)),
        Gives(U64(5), Cy(50000)), Refuses(U64(kTwoTo63), currencyValue), Gives(U64(0x1FFFFFFFFULL), Date(-1)),
        Gives(U64(kUInt64Max), Text(L"18446744073709551615")), Gives(U64(kUInt64Max), Dec(false, 0, kUInt64Max)),
        Gives(U64(0x100000E10ULL), Time(3600)),
        // Opaque words and interface pointers.
        Gives(Opaque(kUInt64Max), I32(-1)), Gives(Interface(7), U8(7)), Gives(Opaque(kUInt64Max), Num(-1.0)),
        Gives(Interface(5), Cy(50000)), Refuses(Opaque(1), dateValue), Refuses(Interface(1), timeValue),
        Gives(Opaque(kUInt64Max), Text(L"18446744073709551615")), Gives(Interface(kUInt64Max), Dec(true, 0, 1)),
        // Destinations that nothing converts to.
        Refuses(I32(1), 12), Refuses(I32(1), opaque64Value), Refuses(I32(1), interfaceValue), Refuses(I32(1), 42),
    };
}

std::string Describe(const Row& row) {
    return "row " + std::to_string(row.source.type) + " -> " + std::to_string(row.expected.type);
}

void CheckRow(const Row& row) {
    SCOPED_TRACE(Describe(row));
    const uint32_t destinationType = row.expected.type;
    const bool text = destinationType == stringValue || destinationType == memoValue;
    std::vector<uint8_t> buffer(160, 0xCC);
    const uint32_t size = text ? static_cast<uint32_t>(buffer.size()) : ValueSize(destinationType);
    ASSERT_EQ(ConvertValue(row.source.bytes.data(), row.source.type, 0, buffer.data(), destinationType, size),
              row.result);
    if (row.result != 0) {
        EXPECT_EQ(buffer, std::vector<uint8_t>(160, 0xCC)) << "a refused conversion writes nothing";
        return;
    }
    if (text) {
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(buffer.data())),
                  std::wstring(reinterpret_cast<const wchar_t*>(row.expected.bytes.data())));
    } else {
        EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + size), row.expected.bytes);
        EXPECT_EQ(buffer[size], 0xCC) << "written beyond the destination type's size";
    }
}

}  // namespace

TEST(ConversionMatrix, IntegerRangesOnBothSides) {
    for (const Row& row : IntegerRangeRows()) CheckRow(row);
}

TEST(ConversionMatrix, EveryPairOfKinds) {
    for (const Row& row : MatrixRows()) CheckRow(row);
}

TEST(ConversionMatrix, InvalidArgumentsAndBuffers) {
    ReportedAssertions assertions;
    int32_t number = 300;
    double result = 0;
    EXPECT_EQ(ConvertValue(nullptr, int32sValue, 0, &result, numberValue, 8), 12);
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, &result, noValueType, 8), 12);
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, &result, blobValue, 8), 12);
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, nullptr, numberValue, 8), 12);
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>(4, L"dbconvert|FALSE"));

    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, &result, numberValue, 4), 601);
    EXPECT_EQ(ConvertValue(&number, int32sValue, 0, &result, int32sValue, 3), 601);
    EXPECT_EQ(ConvertValue(&number, 12, 0, &result, numberValue, 8), 600);
    EXPECT_EQ(ConvertValue(&number, 255, 0, &result, int32sValue, 8), 600);
    EXPECT_EQ(result, 0.0);
    EXPECT_EQ(ConvertValue(&number, 12, 0, &result, 12, 8), 600);
    EXPECT_FALSE(assertions.Take().empty());
}

TEST(ConversionMatrix, TextDestinationsReceiveWhatFits) {
    const int32_t number = 123456;
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
}

TEST(ConversionMatrix, NarrowSourceText) {
    int32_t number = 0;
    EXPECT_EQ(ConvertValue("-42", stringValue, narrowText, &number, int32sValue, 4), 0);
    EXPECT_EQ(number, -42);
    wchar_t text[8] = {};
    EXPECT_EQ(ConvertValue("narrow", memoValue, narrowText, text, stringValue, 8), 0);
    EXPECT_STREQ(text, L"nar");
    double value = 0;
    EXPECT_EQ(ConvertValue("2.25", stringValue, narrowText, &value, numberValue, 8), 0);
    EXPECT_EQ(value, 2.25);

    uint32_t size = 0;
    EXPECT_EQ(GetConvertedSize("narrow", stringValue, narrowText, stringValue, size, false), 0);
    EXPECT_EQ(size, 14u);
    void* copy = nullptr;
    EXPECT_EQ(ConvertToNewBuffer("narrow", stringValue, narrowText, copy, memoValue), 0);
    EXPECT_STREQ(static_cast<const wchar_t*>(copy), L"narrow");
    FreeValueData(copy, memoValue);
}

TEST(ConversionMatrix, ConvertedSizes) {
    const int32_t number = -1234;
    uint32_t size = 99;
    EXPECT_EQ(GetConvertedSize(nullptr, int32sValue, 0, numberValue, size, false), 12);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(GetConvertedSize(&number, int32sValue, 0, blobValue, size, false), 12);
    EXPECT_EQ(GetConvertedSize(&number, int32sValue, 0, noValueType, size, false), 12);
    EXPECT_EQ(GetConvertedSize(&number, int32sValue, 0, dateTimeValue, size, false), 0);
    EXPECT_EQ(size, 12u);
    EXPECT_EQ(GetConvertedSize(&number, int32sValue, 0, decimalValue, size, true), 0);
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(GetConvertedSize(L"four", stringValue, 0, memoValue, size, false), 0);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(GetConvertedSize(&number, int32sValue, 0, stringValue, size, false), 0);
    EXPECT_EQ(size, 128u);
    EXPECT_EQ(GetConvertedSize(&number, int32sValue, 0, stringValue, size, true), 0);
    EXPECT_EQ(size, 12u) << "\"-1234\" and its terminator";
    const double huge = 1e80;
    EXPECT_EQ(GetConvertedSize(&huge, numberValue, 0, stringValue, size, true), 600);
}

TEST(ConversionMatrix, NewBuffersHoldTheResultOrNothing) {
    const int32_t number = 77;
    void* result = nullptr;
    EXPECT_EQ(ConvertToNewBuffer(&number, int32sValue, 0, result, numberValue), 0);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(*static_cast<double*>(result), 77.0);
    FreeValueData(result, numberValue);

    EXPECT_EQ(ConvertToNewBuffer(&number, int32sValue, 0, result, int8sValue), 0);
    EXPECT_EQ(*static_cast<int8_t*>(result), 77);
    FreeValueData(result, int8sValue);

    const wchar_t* source = L"copied";
    EXPECT_EQ(ConvertToNewBuffer(source, memoValue, 0, result, stringValue), 0);
    EXPECT_NE(result, source);
    EXPECT_STREQ(static_cast<const wchar_t*>(result), L"copied");
    FreeValueData(result, stringValue);

    const int32_t large = 1000;
    result = &result;
    EXPECT_EQ(ConvertToNewBuffer(&large, int32sValue, 0, result, int8uValue), 600);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(ConvertToNewBuffer(nullptr, int32sValue, 0, result, stringValue), 12);
    EXPECT_EQ(result, nullptr);
}

TEST(ConversionMatrix, ValueToStringOfEachKind) {
    DbValue value(int32sValue);
    EXPECT_STREQ(ValueToString(value).c_str(), L"");

    int32_t number = -42;
    SetDiscreteValue(value, int32sValue, &number, true);
    EXPECT_STREQ(ValueToString(value).c_str(), L"-42");

    wchar_t text[] = L"as it is";
    SetDiscreteValue(value, memoValue, text, true);
    EXPECT_STREQ(ValueToString(value).c_str(), L"as it is");

    DbDateTime date{kDay2000, -1, 0};
    SetDiscreteValue(value, dateValue, &date, true);
    EXPECT_STREQ(ValueToString(value).c_str(), UserDate(2000, 1, 1).c_str());

    double huge = 1e80;
    SetDiscreteValue(value, numberValue, &huge, true);
    EXPECT_STREQ(ValueToString(value).c_str(), L"") << "a refused conversion gives no text";

    DbValue range(int32sValue);
    range.data = NewRecord<DbRangeValue>(int32sValue, &value, 0, &value, 0);
    range.kind = rangeValueKind;
    EXPECT_STREQ(ValueToString(range).c_str(), L"");
    DbValue list(int32sValue);
    list.data = NewRecord<DbMultipleValues>(2, int32sValue);
    list.kind = multipleValuesKind;
    EXPECT_STREQ(ValueToString(list).c_str(), L"");
}
