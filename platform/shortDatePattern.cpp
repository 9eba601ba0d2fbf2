#include "platform/shortDatePattern.h"

#include <cstdlib>
#include <string>

namespace PVLib500 {

namespace {

std::wstring Padded(long long number, size_t width) {
    std::wstring digits = std::to_wstring(number);
    if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
    return digits;
}

std::wstring LocaleText(LCID locale, LCTYPE item) {
    wchar_t text[80];
    return GetLocaleInfoW(locale, item, text, 80) ? text : L"";
}

// Years before 1 AD are negative and are written whole with their sign, whatever the width.
std::wstring YearText(int year, size_t run) {
    if (year < 0) return L"-" + std::to_wstring(-static_cast<long long>(year));
    if (run <= 2) return Padded(year % 100, run);
    return Padded(year, 4);
}

// Text between single quotes is literal, and two quotes stand for one, inside or outside; returns
// the position after the quoted part.
size_t AppendQuoted(const std::wstring& pattern, size_t quote, std::wstring& text) {
    size_t i = quote + 1;
    if (i < pattern.size() && pattern[i] == L'\'') {
        text += L'\'';
        return i + 1;
    }
    while (i < pattern.size()) {
        if (pattern[i] != L'\'') {
            text += pattern[i++];
        } else if (i + 1 < pattern.size() && pattern[i + 1] == L'\'') {
            text += L'\'';
            i += 2;
        } else {
            return i + 1;
        }
    }
    return i;
}

}  // namespace

SWCharString FormatWithShortDatePattern(LCID locale, const SDate& date) {
    return FormatWithDatePattern(SWCharString(LocaleText(locale, LOCALE_SSHORTDATE)), locale, date);
}

SWCharString FormatWithDatePattern(const SWCharString& picture, LCID locale, const SDate& date) {
    const std::wstring pattern = picture.c_str();
    if (pattern.empty() || date.month < 1 || date.month > 12) return SWCharString();
    std::wstring text;
    for (size_t i = 0; i < pattern.size();) {
        const wchar_t c = pattern[i];
        if (c == L'\'') {
            i = AppendQuoted(pattern, i, text);
            continue;
        }
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        switch (c) {
        case L'd':
            if (run > 2) return SWCharString();
            text += Padded(date.day, run);
            break;
        case L'M':
            if (run <= 2) text += Padded(date.month, run);
            else text += LocaleText(locale, (run == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + date.month - 1);
            break;
        case L'y':
            text += YearText(date.year, run);
            break;
        case L'g':
            return SWCharString();
        default:
            text.append(run, c);
        }
        i += run;
    }
    return SWCharString(std::move(text));
}

}  // namespace PVLib500
