#include "common/dayNumber.h"

#include <cmath>
#include <limits>

#include "platform/SDateTime.h"

namespace {

constexpr int64_t kFirstGregorianDay = 2299160;  // 15 October 1582
constexpr int64_t kFirstGregorianDateKey = 15821015;

bool IsLeapYear(int32_t year) {
    if (year >= 1582) return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return year % 4 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
    static const int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t Truncated(double value) { return static_cast<int64_t>(std::trunc(value)); }

}  // namespace

int32_t DayNumberFromDate(int32_t year, int32_t month, int32_t day) {
    if (year < -4713 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return -1;
    int64_t y = year < 0 ? int64_t{year} + 1 : year;
    int64_t m = month;
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    int64_t dayNumber = day + Truncated(365.25 * static_cast<double>(y)) +
                        Truncated(30.6001 * static_cast<double>(m + 1)) + 1720994;
    if (day + 100 * m + 10000 * y >= kFirstGregorianDateKey) {
        int64_t a = y / 100;
        dayNumber += 2 - a + a / 4;
    }
    if (dayNumber > std::numeric_limits<int32_t>::max()) return -1;
    return static_cast<int32_t>(dayNumber);
}

CalendarDate DateFromDayNumber(int32_t dayNumber) {
    int64_t j = int64_t{dayNumber} + 1;
    if (dayNumber >= kFirstGregorianDay) {
        int64_t alpha = Truncated((static_cast<double>(j) - 1867216.25) / 36524.25);
        j += 1 + alpha - alpha / 4;
    }
    const int64_t b = j < 1721424 ? j + 1158 : j + 1524;
    const int64_t c = Truncated((static_cast<double>(b) - 122.1) / 365.25);
    const int64_t e = b - Truncated(365.25 * static_cast<double>(c));
    const int64_t f = Truncated(static_cast<double>(e) / 30.6001);
    CalendarDate date;
    date.day = static_cast<int32_t>(e - Truncated(30.6001 * static_cast<double>(f)));
    date.month = static_cast<int32_t>(f < 14 ? f - 1 : f - 13);
    date.year = static_cast<int32_t>(c - 4715 - (date.month > 2 ? 1 : 0));
    return date;
}

ClockTime TimeFromSeconds(int32_t seconds) { return ClockTime{seconds / 3600, (seconds / 60) % 60, seconds % 60}; }

DbDateTime CurrentDateTime() {
    const SDateTime now = SDateTime::GetCurrentDateTime();
    const STimeZone zone = STimeZone::TZ_Local;
    DbDateTime result;
    result.day = DayNumberFromDate(now.GetYear(zone), now.GetMonth(zone), now.GetDay(zone));
    result.seconds = now.GetHour(zone) * 3600 + now.GetMinute(zone) * 60 + now.GetSecond(zone);
    result.nanoseconds = static_cast<uint32_t>(now.GetMillisecond(zone)) * 1000000u;
    return result;
}

DbDateTime Today() {
    DbDateTime today = CurrentDateTime();
    today.seconds = 0;
    today.nanoseconds = 0;
    return today;
}
