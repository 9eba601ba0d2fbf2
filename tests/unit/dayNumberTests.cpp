// Day numbers against OLE Automation's calendar, the Julian calendar before the 1582 reform,
// and clock times.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>

#include "common/dayNumber.h"

namespace {

// The day number of 30 December 1899, OLE Automation's day 0.
constexpr int32_t kOleDayZero = 2415018;

double OleDate(int year, int month, int day) {
    SYSTEMTIME parts{};
    parts.wYear = static_cast<WORD>(year);
    parts.wMonth = static_cast<WORD>(month);
    parts.wDay = static_cast<WORD>(day);
    double date = 0;
    EXPECT_TRUE(SystemTimeToVariantTime(&parts, &date)) << year << "-" << month << "-" << day;
    return date;
}

::testing::AssertionResult IsDate(const CalendarDate& date, int32_t year, int32_t month, int32_t day) {
    if (date.year == year && date.month == month && date.day == day) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << date.year << "-" << date.month << "-" << date.day;
}

}  // namespace

TEST(DayNumbers, EveryGregorianDayFrom1601To2400MatchesOleAutomation) {
    for (int year = 1601; year <= 2400; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const double first = OleDate(year, month, 1);
            const double next = month == 12 ? OleDate(year + 1, 1, 1) : OleDate(year, month + 1, 1);
            const int days = static_cast<int>(next - first);
            for (int day = 1; day <= days; ++day) {
                const int32_t expected = kOleDayZero + static_cast<int32_t>(first) + day - 1;
                ASSERT_EQ(DayNumberFromDate(year, month, day), expected) << year << "-" << month << "-" << day;
                ASSERT_TRUE(IsDate(DateFromDayNumber(expected), year, month, day)) << expected;
            }
            ASSERT_EQ(DayNumberFromDate(year, month, days + 1), -1) << year << "-" << month << "-" << days + 1;
        }
    }
}

TEST(DayNumbers, EveryDayBeforeOleAutomationsRangeReadsBack) {
    const int32_t first1601 = DayNumberFromDate(1601, 1, 1);
    for (int32_t dayNumber = 0; dayNumber < first1601; ++dayNumber) {
        const CalendarDate date = DateFromDayNumber(dayNumber);
        ASSERT_EQ(DayNumberFromDate(date.year, date.month, date.day), dayNumber)
            << date.year << "-" << date.month << "-" << date.day;
    }
}

TEST(DayNumbers, FixedPointsOfTheCalendar) {
    struct Row {
        int32_t year, month, day;
        int32_t dayNumber;
    };
    const Row rows[] = {
        {-4713, 1, 1, 0},          {1, 1, 1, 1721423},        {1582, 10, 4, 2299159},
        {1582, 10, 15, 2299160},   {1970, 1, 1, 2440587},     {2000, 1, 1, 2451544},
        {1899, 12, 30, kOleDayZero},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DayNumberFromDate(row.year, row.month, row.day), row.dayNumber) << row.year;
        EXPECT_TRUE(IsDate(DateFromDayNumber(row.dayNumber), row.year, row.month, row.day)) << row.dayNumber;
    }
    EXPECT_TRUE(IsDate(DateFromDayNumber(1721422), -1, 12, 31)) << "the day before 1 AD is in year -1";
}

TEST(DayNumbers, TheDaysSkippedIn1582CountAsJulian) {
    for (int day = 5; day <= 14; ++day)
        EXPECT_EQ(DayNumberFromDate(1582, 10, day), DayNumberFromDate(1582, 10, day + 10)) << day;
}

TEST(DayNumbers, YearZeroReadsAsTheYearBefore1AD) {
    EXPECT_EQ(DayNumberFromDate(0, 6, 15), DayNumberFromDate(-1, 6, 15));
    EXPECT_EQ(DayNumberFromDate(0, 1, 1), DayNumberFromDate(-1, 1, 1));
    EXPECT_EQ(DayNumberFromDate(-1, 12, 31) + 1, DayNumberFromDate(1, 1, 1));
}

TEST(DayNumbers, InvalidDatesGiveMinusOne) {
    struct Row {
        int32_t year, month, day;
    };
    const Row invalid[] = {
        {1900, 2, 29}, {1700, 2, 29}, {2023, 2, 29}, {2001, 4, 31}, {2001, 1, 32}, {2001, 1, 0},
        {2001, 0, 1},  {2001, 13, 1}, {-4714, 12, 31}, {2001, 5, -3}, {2000000000, 1, 1},
    };
    for (const Row& row : invalid)
        EXPECT_EQ(DayNumberFromDate(row.year, row.month, row.day), -1)
            << row.year << "-" << row.month << "-" << row.day;
    EXPECT_NE(DayNumberFromDate(1500, 2, 29), -1) << "Julian leap year";
    EXPECT_NE(DayNumberFromDate(1600, 2, 29), -1);
    EXPECT_NE(DayNumberFromDate(2000, 2, 29), -1);
    EXPECT_EQ(DayNumberFromDate(1500, 3, 1) - DayNumberFromDate(1500, 2, 28), 2);
}

TEST(ClockTimes, SecondsSinceMidnight) {
    struct Row {
        int32_t seconds, hour, minute, second;
    };
    const Row rows[] = {{0, 0, 0, 0}, {3661, 1, 1, 1}, {43200, 12, 0, 0}, {86399, 23, 59, 59}};
    for (const Row& row : rows) {
        const ClockTime time = TimeFromSeconds(row.seconds);
        EXPECT_EQ(time.hour, row.hour) << row.seconds;
        EXPECT_EQ(time.minute, row.minute) << row.seconds;
        EXPECT_EQ(time.second, row.second) << row.seconds;
    }
}

TEST(ClockTimes, NowAndTodayAreTheLocalDateAndTime) {
    SYSTEMTIME before;
    GetLocalTime(&before);
    const DbDateTime now = CurrentDateTime();
    const DbDateTime today = Today();
    SYSTEMTIME after;
    GetLocalTime(&after);
    if (before.wDay != after.wDay) GTEST_SKIP() << "midnight passed during the test";

    EXPECT_EQ(now.day, DayNumberFromDate(before.wYear, before.wMonth, before.wDay));
    const int32_t secondsBefore = before.wHour * 3600 + before.wMinute * 60 + before.wSecond;
    const int32_t secondsAfter = after.wHour * 3600 + after.wMinute * 60 + after.wSecond;
    EXPECT_GE(now.seconds, secondsBefore);
    EXPECT_LE(now.seconds, secondsAfter);
    EXPECT_LT(now.nanoseconds, 1000000000u);
    EXPECT_EQ(now.nanoseconds % 1000000u, 0u) << "milliseconds only";

    EXPECT_EQ(today.day, now.day);
    EXPECT_EQ(today.seconds, 0);
    EXPECT_EQ(today.nanoseconds, 0u);
}
