#pragma once
// A date written by hand from a locale's short-date pattern, for the years that Windows' own
// date formatting refuses (before 1601 and after 30827).

#include <windows.h>

#include "platform/SDateTime.h"
#include "platform/SWCharString.h"

namespace PVLib500 {

// Empty when the pattern asks for what cannot be known for such a year (a day name or an era).
SWCharString FormatWithShortDatePattern(LCID locale, const SDate& date);
// The same for any pattern of Windows' date picture elements; month names come from locale.
SWCharString FormatWithDatePattern(const SWCharString& pattern, LCID locale, const SDate& date);

}  // namespace PVLib500
