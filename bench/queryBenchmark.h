#pragma once
// The cost of one small query, as a report with a detail band pays it once per master row: the
// engine's sequence through the exports (the query, a binding per column, the first record
// positioned and every record after it read column by column, the bindings freed and the
// rowset closed) against the same work done directly through the provider's IDispatch and ADO,
// in alternating rounds over a provider that hands back the same recordset every time.

#include "driverSession.h"

struct QueryBenchmark {
    int queries = 2000;
    long rows = 3;
    long columns = 8;
    int rounds = 10;
};

// Prints microseconds per query each way and their ratio, for binding by name and by position.
void MeasureQueries(const DriverSession& session, const QueryBenchmark& options);
