#pragma once
// A CSV file as a table: the header row names the columns, every column is text, a bare empty
// field is null. A file that cannot be read raises ComError with the system's code; a file
// that is not valid CSV raises CsvFormatError.

#include <string>

#include "sampleTable.h"

SampleTable CsvFileTable(const std::wstring& path);
