#pragma once
// A table of any size for benchmarks: rows x columns of integers, texts, doubles, currency,
// dates and decimals in turn, with a null in every tenth text. Values follow from their row and
// column alone.

#include "sampleTable.h"

SampleTable GeneratedTable(LONG rows, LONG columns);
