#pragma once
// A CSV file as a table: the header row names the columns, every column is text. A bare empty
// field is null, and so are the fields missing at the end of a row shorter than the header. A
// file that cannot be read raises ComError with the system's code; a file that is not valid CSV,
// or a row longer than the header, raises CsvFormatError naming the line.

#include <string>

#include "sampleTable.h"

SampleTable CsvFileTable(const std::wstring& path);
