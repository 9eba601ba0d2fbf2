#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "common/resultCodes.h"
#include "common/bstr.h"
#include "common/conversionRoutines.h"
#include "common/dayNumber.h"
#include "common/dbvalue.h"
#include "platform/SLocale.h"
#include "platform/SWCharString.h"
#include "platform/dbAssert.h"
#include "platform/stringConversion.h"

// Assertions report under the module name the logs know this code by.
#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "dbconvert"

namespace {

// The user's default locale.
constexpr LCID kUserLocale = 1024;
// Texts other than dates and times pass through a work buffer of this many characters.
constexpr size_t kWorkCharacters = 80;
constexpr double kLargestFormattedNumber = 1e75;
constexpr double kSmallestFormattedNumber = 1e-75;

std::wstring FormatInteger(const SourceInteger& value, uint32_t sourceType) {
    wchar_t digits[PVLib500::kIntegerTextSize];
    if (sourceType == int64uValue || sourceType == opaque64Value || sourceType == interfaceValue)
        return StringConvFromInteger(static_cast<uint64_t>(value.Bits()), digits, 10);
    return StringConvFromInteger(value.Bits(), digits, 10);
}

// False for magnitudes that the number formatting does not handle.
bool FormatNumber(double number, std::wstring& text) {
    const double magnitude = std::fabs(number);
    const bool formatted = number == 0.0 || std::isnan(number) ||
                           (magnitude >= kSmallestFormattedNumber && magnitude <= kLargestFormattedNumber);
    if (!formatted) return false;
    wchar_t buffer[SWCharStringConv::kBufferSize];
    text = SWCharStringConv::ToString(buffer, number, 2);
    return true;
}

std::wstring BstrText(HRESULT result, const Bstr& text) { return SUCCEEDED(result) ? text.Text() : L""; }

// Empty when the locale cannot write the date.
SWCharString FormatDate(int32_t dayNumber) {
    const CalendarDate date = DateFromDayNumber(dayNumber);
    return SLocale::FormatDate(kUserLocale, SDate(date.year, date.month, date.day));
}

SWCharString FormatTime(const DbDateTime& value) {
    const ClockTime time = TimeFromSeconds(value.seconds);
    const int millisecond = static_cast<int>(value.nanoseconds / 1000000u);
    const STime clock(time.hour, time.minute, time.second, millisecond, STimeZone::TZ_Local);
    return SLocale::FormatTime(kUserLocale, clock);
}

enum class DateText { notADate, written, unwritable };

// Dates and times go straight into the destination. A value without a date (day -1) has no
// date text; a date the locale cannot write is refused rather than shown as a blank.
DateText FormatDateOrTime(const void* source, uint32_t sourceType, SWCharString& text) {
    if (sourceType != dateValue && sourceType != timeValue && sourceType != dateTimeValue) return DateText::notADate;
    // Read as a date and time only once the type says it is one.
    const DbDateTime value = *static_cast<const DbDateTime*>(source);
    const bool hasDate = sourceType != timeValue && value.day != kNoDate;
    SWCharString date;
    if (hasDate) {
        date = FormatDate(value.day);
        if (date.isEmpty()) return DateText::unwritable;
    }
    if (sourceType == dateValue) text = date;
    else if (!hasDate) text = FormatTime(value);
    else text = date + L" " + FormatTime(value);
    return DateText::written;
}

}  // namespace

int32_t ConvertToText(const void* source, uint32_t sourceType, void* destination, size_t destinationSize) {
    SWCharString dateOrTime;
    switch (FormatDateOrTime(source, sourceType, dateOrTime)) {
    case DateText::written:
        WriteTextToBuffer(dateOrTime.c_str(), destination, destinationSize);
        return DbSuccess;
    case DateText::unwritable:
        return DbNotConvertible;
    case DateText::notADate:
        break;
    }

    std::wstring text;
    SourceInteger integer{};
    if (sourceType == booleanValue) {
        text = *static_cast<const uint16_t*>(source) != 0 ? L"1" : L"0";
    } else if (ReadPlainInteger(source, sourceType, integer)) {
        text = FormatInteger(integer, sourceType);
    } else {
        switch (sourceType) {
        case numberValue:
            if (!FormatNumber(*static_cast<const double*>(source), text)) return DbNotConvertible;
            break;
        case currencyValue: {
            CY currency;
            std::memcpy(&currency, source, sizeof(currency));
            Bstr formatted;
            text = BstrText(VarBstrFromCy(currency, 0, 0, formatted.ReleaseAndGetAddressOf()), formatted);
            break;
        }
        case decimalValue: {
            Bstr formatted;
            text = BstrText(
                VarBstrFromDec(AutomationInput(source), 0, 0, formatted.ReleaseAndGetAddressOf()),
                formatted);
            break;
        }
        case stringValue:
        case memoValue:
            DB_ASSERT_TEXT(false, "FALSE");
            return DbFailed;
        case blobValue:
            return DbNotConvertible;
        default:
            DB_ASSERT_TEXT(false, "FALSE");
            return DbNotConvertible;
        }
    }
    text.resize(std::min(text.size(), kWorkCharacters - 1));
    WriteTextToBuffer(text.c_str(), destination, destinationSize);
    return DbSuccess;
}
