#pragma once
// The runtime library's locale services, on the Windows locale functions.

#include <windows.h>

#include "platform/SDateTime.h"
#include "platform/SWCharString.h"

namespace PVLib500 {

struct SLocale {
    // The locale identifier of an RFC 1766 name such as "de-DE"; 0 when Windows knows no such locale.
    static LCID Rfc1766ToLcid(const SWCharString& name);
    // Short date and long time formats of the locale (1024 is the user's default locale); empty
    // when the locale cannot write the value.
    static SWCharString FormatDate(LCID locale, const SDate& date);
    static SWCharString FormatTime(LCID locale, const STime& time);
};

}  // namespace PVLib500

using PVLib500::SLocale;
