#pragma once
// The runtime library's date and time parts.

#include <cstdint>

namespace PVLib500 {

enum class STimeZone { TZ_Local, TZ_UTC };

struct SDate {
    SDate(int year, int month, int day) : year(year), month(month), day(day) {}
    int year;
    int month;
    int day;
};

struct STime {
    STime(int hour, int minute, int second, int millisecond, STimeZone zone = STimeZone::TZ_Local)
        : hour(hour), minute(minute), second(second), millisecond(millisecond), zone(zone) {}
    int hour;
    int minute;
    int second;
    int millisecond;
    STimeZone zone;
};

class SDateTime {
public:
    static SDateTime GetCurrentDateTime();

    int GetYear(STimeZone zone = STimeZone::TZ_Local) const;
    int GetMonth(STimeZone zone = STimeZone::TZ_Local) const;
    int GetDay(STimeZone zone = STimeZone::TZ_Local) const;
    int GetHour(STimeZone zone = STimeZone::TZ_Local) const;
    int GetMinute(STimeZone zone = STimeZone::TZ_Local) const;
    int GetSecond(STimeZone zone = STimeZone::TZ_Local) const;
    int GetMillisecond(STimeZone zone = STimeZone::TZ_Local) const;

private:
    struct Parts {
        int year, month, day, hour, minute, second, millisecond;
    };
    Parts In(STimeZone zone) const;
    uint64_t utcTicks_ = 0;  // 100-ns intervals since 1601-01-01 UTC
};

}  // namespace PVLib500

using PVLib500::SDate;
using PVLib500::SDateTime;
using PVLib500::STime;
using PVLib500::STimeZone;
