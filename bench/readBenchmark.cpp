// Reads a generated recordset of rows x columns through the driver's exports, as the report
// engine reads, and directly through ADO, alternating the two in one process; prints rows/s
// for each, the ratio driver/direct and the process's working set along the way. With
// --queries, measures the cost of small queries instead (queryBenchmark.h).
//   read_benchmark [--rows N] [--columns K ...] [--rounds R]
//   read_benchmark --queries Q [--rows N] [--columns K] [--rounds R]

#include <objbase.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "directRead.h"
#include "driverFailure.h"
#include "driverRead.h"
#include "driverSession.h"
#include "queryBenchmark.h"
#include "workingSet.h"

namespace {

constexpr wchar_t kProgramId[] = L"ZedbSample.Provider";

struct Options {
    long rows = 200000;
    std::vector<long> columns{8, 1};
    int rounds = 5;
    int queries = 0;
};

template <class Read>
double RowsPerSecond(Read&& read, long expectedRows) {
    const auto start = std::chrono::steady_clock::now();
    const uint64_t rows = read();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (rows != static_cast<uint64_t>(expectedRows))
        throw std::runtime_error("read " + std::to_string(rows) + " rows of " + std::to_string(expectedRows));
    return rows / seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Measure(const DriverSession& session, const Options& options, long columns) {
    const ParameterTexts parameters{{L"rows", std::to_wstring(options.rows)},
                                    {L"columns", std::to_wstring(columns)}};
    const ExecutedQuery query = session.Execute(L"GeneratedTable", parameters);
    const ComPtr<_Recordset> recordset = GeneratedRecordset(kProgramId, options.rows, columns);

    std::printf("\n%ld rows x %ld columns, %d rounds each way, alternating\n", options.rows, columns,
                options.rounds);
    std::printf("working set before the reads: %.1f MiB\n", WorkingSetMiB());
    std::printf("round  driver rows/s  direct rows/s  working set MiB\n");
    std::vector<double> driver, direct;
    for (int round = 1; round <= options.rounds; ++round) {
        driver.push_back(RowsPerSecond([&] { return ReadThroughDriver(session, query); }, options.rows));
        direct.push_back(RowsPerSecond([&] { return ReadDirectly(recordset); }, options.rows));
        std::printf("%5d  %13.0f  %13.0f  %15.1f\n", round, driver.back(), direct.back(), WorkingSetMiB());
    }
    const double driverMedian = Median(driver), directMedian = Median(direct);
    std::printf("median: driver %.0f rows/s, direct %.0f rows/s, ratio driver/direct %.3f\n", driverMedian,
                directMedian, directMedian / driverMedian);
    std::printf("working set after the reads: %.1f MiB\n", WorkingSetMiB());
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    CLI::App app{"Read benchmark: the driver's exports against a direct ADO loop over a generated recordset"};
    app.add_option("--rows", options.rows, "Rows of the generated table")->capture_default_str()
        ->check(CLI::PositiveNumber);
    app.add_option("--columns", options.columns, "Column counts to measure, one table each")->capture_default_str()
        ->check(CLI::PositiveNumber);
    app.add_option("--rounds", options.rounds, "Full reads each way")->capture_default_str()
        ->check(CLI::PositiveNumber);
    app.add_option("--queries", options.queries, "Small queries each way instead of reads (default rows 3, columns 8)")
        ->check(CLI::PositiveNumber);
    CLI11_PARSE(app, argc, argv);

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int status = 0;
    try {
        const DriverLibrary driver(L"zedb_com.dll");
        DriverSession session(driver, L"");
        if (options.queries > 0) {
            QueryBenchmark queries;
            queries.queries = options.queries;
            if (app.count("--rows")) queries.rows = options.rows;
            if (app.count("--columns")) queries.columns = options.columns.front();
            if (app.count("--rounds")) queries.rounds = options.rounds;
            MeasureQueries(session, queries);
        } else {
            session.LogOn(kProgramId);
            std::printf("working set at start: %.1f MiB\n", WorkingSetMiB());
            for (long columns : options.columns) Measure(session, options, columns);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "read_benchmark: %s\n", error.what());
        status = 1;
    }
    CoUninitialize();
    return status;
}
