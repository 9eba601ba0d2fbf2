#include "platform/SLocale.h"

#include "platform/shortDatePattern.h"

namespace PVLib500 {

LCID SLocale::Rfc1766ToLcid(const SWCharString& name) {
    if (name.isEmpty()) return 0;
    return LocaleNameToLCID(name.c_str(), 0);
}

SWCharString SLocale::FormatDate(LCID locale, const SDate& date) {
    // The years a SYSTEMTIME can hold.
    if (date.year < 1601 || date.year > 30827) return FormatWithShortDatePattern(locale, date);
    SYSTEMTIME parts{};
    parts.wYear = static_cast<WORD>(date.year);
    parts.wMonth = static_cast<WORD>(date.month);
    parts.wDay = static_cast<WORD>(date.day);
    wchar_t text[128];
    if (GetDateFormatW(locale, DATE_SHORTDATE, &parts, nullptr, text, 128) == 0) return SWCharString();
    return SWCharString(text);
}

SWCharString SLocale::FormatTime(LCID locale, const STime& time) {
    SYSTEMTIME parts{};
    parts.wHour = static_cast<WORD>(time.hour);
    parts.wMinute = static_cast<WORD>(time.minute);
    parts.wSecond = static_cast<WORD>(time.second);
    parts.wMilliseconds = static_cast<WORD>(time.millisecond);
    wchar_t text[128];
    if (GetTimeFormatW(locale, 0, &parts, nullptr, text, 128) == 0) return SWCharString();
    return SWCharString(text);
}

}  // namespace PVLib500
