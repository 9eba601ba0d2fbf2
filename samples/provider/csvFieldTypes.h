#pragma once
// What a CSV field's text reads as, as spreadsheet importers read it in the invariant culture:
// integers, numbers with a dot (12.5), ISO 8601 dates (2026-02-01) and date-times
// (2026-02-01T10:30:00 or 2026-02-01 10:30:00); anything else is text.

#include <string>

#include "common/variant.h"

// In order from the narrowest: an integer also reads as a number, a date as a date-time.
enum class CsvFieldType { integer, number, date, dateTime, text };

CsvFieldType TypeOfText(const std::wstring& text);
// The narrowest type that holds values of both.
CsvFieldType CommonType(CsvFieldType first, CsvFieldType second);
// The text as a value of the type, which must hold what TypeOfText found for it.
Variant ValueOfText(const std::wstring& text, CsvFieldType type);
