// Day numbers against OLE Automation's calendar, the Julian calendar before the 1582 reform,
// the current date and time, and dates written for years that Windows does not format.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "common/dayNumber.h"
#include "platform/SLocale.h"
#include "platform/shortDatePattern.h"

namespace {

constexpr int32_t kOleDayZero = 2415018;  // 30 December 1899, OLE Automation's day 0

double OleFirstOfMonth(int year, int month) {
    SYSTEMTIME parts{static_cast<WORD>(year), static_cast<WORD>(month), 0, 1, 0, 0, 0, 0};
    double date = 0;
    EXPECT_TRUE(SystemTimeToVariantTime(&parts, &date)) << year << "-" << month;
    return date;
}

::testing::AssertionResult IsDate(const CalendarDate& date, int32_t year, int32_t month, int32_t day) {
    if (date.year == year && date.month == month && date.day == day) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << date.year << "-" << date.month << "-" << date.day;
}

}  // namespace

TEST(DayNumbers, EveryDayFrom1601To2400MatchesOleAutomation) {
    for (int year = 1601; year <= 2400; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const double first = OleFirstOfMonth(year, month);
            const int days = static_cast<int>(OleFirstOfMonth(year + month / 12, month % 12 + 1) - first);
            for (int day = 1; day <= days; ++day) {
                const int32_t expected = kOleDayZero + static_cast<int32_t>(first) + day - 1;
                ASSERT_EQ(DayNumberFromDate(year, month, day), expected) << year << "-" << month << "-" << day;
                ASSERT_TRUE(IsDate(DateFromDayNumber(expected), year, month, day)) << expected;
            }
            ASSERT_EQ(DayNumberFromDate(year, month, days + 1), -1) << year << "-" << month << "-" << days + 1;
        }
    }
}

TEST(DayNumbers, JulianCalendarBeforeTheReformAndInvalidDates) {
    const int32_t rows[][4] = {
        {-4713, 1, 1, 0}, {-1, 12, 31, 1721422}, {1, 1, 1, 1721423}, {1582, 10, 4, 2299159}, {1582, 10, 15, 2299160}};
    for (const auto& row : rows) {
        EXPECT_EQ(DayNumberFromDate(row[0], row[1], row[2]), row[3]) << row[0];
        EXPECT_TRUE(IsDate(DateFromDayNumber(row[3]), row[0], row[1], row[2])) << row[3];
    }
    for (int32_t dayNumber = 0, end = DayNumberFromDate(1601, 1, 1); dayNumber < end; ++dayNumber) {
        const CalendarDate date = DateFromDayNumber(dayNumber);
        ASSERT_EQ(DayNumberFromDate(date.year, date.month, date.day), dayNumber) << date.year << "-" << date.month;
    }
    for (int day = 5; day <= 14; ++day)  // the days the reform skipped
        EXPECT_EQ(DayNumberFromDate(1582, 10, day), DayNumberFromDate(1582, 10, day + 10)) << day;
    EXPECT_EQ(DayNumberFromDate(0, 6, 15), DayNumberFromDate(-1, 6, 15)) << "year 0 reads as year -1";

    const int32_t invalid[][3] = {{1900, 2, 29}, {1700, 2, 29}, {2001, 1, 0},    {2001, 0, 1},
                                  {2001, 13, 1}, {2001, 5, -3}, {-4714, 12, 31}, {2000000000, 1, 1}};
    for (const auto& date : invalid)
        EXPECT_EQ(DayNumberFromDate(date[0], date[1], date[2]), -1) << date[0] << "-" << date[1] << "-" << date[2];
    EXPECT_EQ(DayNumberFromDate(1500, 3, 1) - DayNumberFromDate(1500, 2, 29), 1) << "a Julian leap year";
    EXPECT_NE(DayNumberFromDate(1600, 2, 29), -1);
}

// Dates before 1601 and after 30827, which Windows will not format, written from the pattern.
TEST(DatePatterns, AgreeWithWindowsWhereItFormatsAndGoOnBeyondIt) {
    const SYSTEMTIME inRange[] = {{2000, 1, 6, 1, 0, 0, 0, 0}, {1999, 12, 5, 31, 0, 0, 0, 0}, {1601, 2, 0, 3, 0, 0, 0, 0}};
    for (LCID locale : {0x409, 0x407, 0x411, 0x40C, 0x809, 0x41F}) {
        for (const SYSTEMTIME& parts : inRange) {
            wchar_t expected[128];
            ASSERT_GT(GetDateFormatW(locale, DATE_SHORTDATE, &parts, nullptr, expected, 128), 0);
            EXPECT_STREQ(FormatWithShortDatePattern(locale, SDate(parts.wYear, parts.wMonth, parts.wDay)).c_str(),
                         expected)
                << "locale " << std::hex << locale;
        }
    }

    struct PatternCase {
        const wchar_t* pattern;
        SDate date;
        const wchar_t* text;  // empty: the pattern cannot be written for such a year
    };
    const PatternCase cases[] = {
        {L"d/M/yyyy", {1582, 10, 15}, L"15/10/1582"},
        {L"dd.MM.yy", {1582, 10, 5}, L"05.10.82"},
        {L"'Day' d 'of' MMMM, yyyy", {1582, 10, 15}, L"Day 15 of October, 1582"},
        {L"d 'o''clock' M", {1582, 10, 15}, L"15 o'clock 10"},
        {L"d 'of M", {1582, 10, 15}, L"15 of M"},
        {L"MMM d ''yy", {812, 3, 1}, L"Mar 1 '12"},
        {L"M/d/yyyy", {-4713, 1, 1}, L"1/1/-4713"},
        {L"dd/MM/y", {-44, 3, 15}, L"15/03/-44"},
        {L"yyyy-MM-dd", {40000, 2, 29}, L"40000-02-29"},
        {L"dddd d", {1582, 10, 15}, L""},
        {L"gg yyyy", {1582, 10, 15}, L""},
    };
    for (const PatternCase& row : cases)
        EXPECT_STREQ(FormatWithDatePattern(row.pattern, 0x409, row.date).c_str(), row.text) << row.pattern;

    EXPECT_STREQ(SLocale::FormatDate(0x407, SDate(1582, 10, 15)).c_str(), L"15.10.1582");
    EXPECT_STREQ(SLocale::FormatDate(0x409, SDate(30828, 1, 2)).c_str(), L"1/2/30828");
}
