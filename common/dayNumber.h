#pragma once
// Dates as day numbers: days since 1 January 4713 BC of the proleptic Julian calendar (day 0),
// Gregorian from 15 October 1582 on. Years before 1 AD are -1, -2, ...; year 0 reads as -1.

#include <cstdint>

#include "common/dbvalue.h"

struct CalendarDate {
    int32_t year;
    int32_t month;
    int32_t day;
};

struct ClockTime {
    int32_t hour;
    int32_t minute;
    int32_t second;
};

// -1 for an invalid date, and for a date whose day number does not fit 32 bits.
int32_t DayNumberFromDate(int32_t year, int32_t month, int32_t day);
CalendarDate DateFromDayNumber(int32_t dayNumber);
ClockTime TimeFromSeconds(int32_t seconds);

// The current local date and time.
DbDateTime CurrentDateTime();
// The current local date at midnight.
DbDateTime Today();
