#include "platform/SDateTime.h"

#include <windows.h>

namespace PVLib500 {

SDateTime SDateTime::GetCurrentDateTime() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    SDateTime result;
    result.utcTicks_ = (uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return result;
}

SDateTime::Parts SDateTime::In(STimeZone zone) const {
    FILETIME utc{static_cast<DWORD>(utcTicks_), static_cast<DWORD>(utcTicks_ >> 32)};
    SYSTEMTIME utcParts{};
    SYSTEMTIME parts{};
    FileTimeToSystemTime(&utc, &utcParts);
    if (zone == STimeZone::TZ_UTC || !SystemTimeToTzSpecificLocalTime(nullptr, &utcParts, &parts)) parts = utcParts;
    return Parts{parts.wYear, parts.wMonth, parts.wDay,
                 parts.wHour, parts.wMinute, parts.wSecond, parts.wMilliseconds};
}

int SDateTime::GetYear(STimeZone zone) const { return In(zone).year; }
int SDateTime::GetMonth(STimeZone zone) const { return In(zone).month; }
int SDateTime::GetDay(STimeZone zone) const { return In(zone).day; }
int SDateTime::GetHour(STimeZone zone) const { return In(zone).hour; }
int SDateTime::GetMinute(STimeZone zone) const { return In(zone).minute; }
int SDateTime::GetSecond(STimeZone zone) const { return In(zone).second; }
int SDateTime::GetMillisecond(STimeZone zone) const { return In(zone).millisecond; }

}  // namespace PVLib500
