#pragma once
// A CSV file as a table: the header row names the columns; a column whose every value reads as
// an integer, a number, a date or a date-time has that type, any other column is text (every
// column is text with asText). A bare empty field is null, and so are the fields missing at the
// end of a row shorter than the header. A file that cannot be read raises ComError with the
// system's code; a file that is not valid CSV, or a row longer than the header, raises
// CsvFormatError naming the line.

#include <string>

#include "sampleTable.h"

SampleTable CsvFileTable(const std::wstring& path, bool asText);
