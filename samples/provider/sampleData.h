#pragma once
// The bundled sample data set: customers, their orders and the orders' lines. Always the same,
// so that reports built on it can be compared.

#include <string>

#include "sampleTable.h"

SampleTable CustomersTable();
// region empty: every region; since: an automation date, orders placed on that day or later.
SampleTable OrdersTable(const std::wstring& region, DATE since);
SampleTable OrderLinesTable(LONG orderId);
