// The soak run (not a test): cycles of logon, fields, query, bindings, every record, close and
// logoff through the exports of zedb_com.dll loaded by path, against the sample provider and
// against the test doubles, then two threads with a server handle each running reports at the
// same time. Every cycle checks what it read; the working set and the handle count are sampled
// along the way. Exit code 0 when every cycle read what it should and nothing grew beyond the
// bounds after warm-up, 1 otherwise.
//   soak [--cycles N] [--thread-reports N]

#include <objbase.h>

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <exception>

#include "cycleRun.h"
#include "doubleFailures.h"
#include "fakeProviderReports.h"
#include "ordersReport.h"
#include "platformGrowth.h"
#include "resourceSampler.h"
#include "textEncoding.h"
#include "threadedReports.h"

namespace {

constexpr int kPlatformCycles = 2000;

struct Options {
    int cycles = 10000;
    int threadReports = 1000;
};

bool RunSampleProviderCycles(const DriverLibrary& driver, int cycles, double platformBytesPerCycle) {
    DriverSession session(driver, L"");
    const OrdersReport report = NorthernOrders();
    return PrintCycleRun("sample provider " + Utf8(kSampleProgramId) + ", " + Utf8(report.title),
                         RunCycles(cycles, platformBytesPerCycle, [&](int) {
                             session.LogOn(kSampleProgramId);
                             RunOrdersReport(session, report);
                             session.LogOff();
                         }));
}

bool RunFakeProviderCycles(const DriverLibrary& driver, int cycles) {
    // The provider outlives the session, which may still hold it when a cycle failed.
    FakeProviderReports provider;
    DriverSession session(driver, L"");
    return PrintCycleRun("test doubles: FakeProvider registered for this process, Lines(count) of 1 to 16 records",
                         RunCycles(cycles, 0, [&](int cycle) { provider.RunCycle(session, cycle); }));
}

bool RunSoak(const Options& options) {
    std::printf("bounds after warm-up (the first tenth of each run; samples every twentieth): working set "
                "+%.0f MiB beyond the platform's own growth, handles +%lld\n",
                kWorkingSetExcessBoundMiB, static_cast<long long>(kHandleGrowthBound));
    const double platformBytesPerCycle = SampleProviderGrowthPerCycle(kPlatformCycles);
    std::printf("the platform's own growth, measured without the driver over %d cycles of the sample provider: "
                "%.0f bytes a cycle\n",
                kPlatformCycles, platformBytesPerCycle);
    const DriverLibrary driver(L"zedb_com.dll");
    bool passed = RunSampleProviderCycles(driver, options.cycles, platformBytesPerCycle);
    passed &= RunFakeProviderCycles(driver, options.cycles);
    passed &= RunThreadedReports(driver, options.threadReports, platformBytesPerCycle);
    ThrowOnDoubleFailures();
    return passed;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    CLI::App app{"Soak run: report cycles through the driver's exports, checking every read and the process's "
                 "working set and handles"};
    app.add_option("--cycles", options.cycles, "Cycles against each provider")->capture_default_str()
        ->check(CLI::PositiveNumber);
    app.add_option("--thread-reports", options.threadReports, "Reports on each of the two threads")
        ->capture_default_str()->check(CLI::PositiveNumber);
    CLI11_PARSE(app, argc, argv);

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    const auto start = std::chrono::steady_clock::now();
    bool passed = false;
    try {
        passed = RunSoak(options);
    } catch (const std::exception& error) {
        std::printf("soak: %s\n", error.what());
    }
    CoUninitialize();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\nsoak %s in %.1f s\n", passed ? "passed" : "FAILED", seconds);
    return passed ? 0 : 1;
}
