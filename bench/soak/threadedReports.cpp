#include "threadedReports.h"

#include <objbase.h>

#include <cstdio>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

#include "cycleRun.h"
#include "ordersReport.h"
#include "textEncoding.h"

namespace {

struct ThreadRun {
    OrdersReport report;
    std::optional<CycleRun> run;
    std::string failure;
};

// Each thread samples the whole process, where both threads' reports grow it.
void RunOnThread(const DriverLibrary& driver, int reports, double platformBytesPerReport, ThreadRun& thread) {
    const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        if (FAILED(apartment)) throw std::runtime_error("CoInitializeEx failed");
        DriverSession session(driver, L"");
        session.LogOn(kSampleProgramId);
        thread.run =
            RunCycles(reports, 2 * platformBytesPerReport, [&](int) { RunOrdersReport(session, thread.report); });
        session.LogOff();
    } catch (const std::exception& error) {
        thread.failure = error.what();
    }
    if (SUCCEEDED(apartment)) CoUninitialize();
}

}  // namespace

bool RunThreadedReports(const DriverLibrary& driver, int reports, double platformBytesPerReport) {
    ThreadRun threads[] = {{NorthernOrders(), {}, {}}, {OrdersSinceMidMarch(), {}, {}}};
    std::thread first(RunOnThread, std::cref(driver), reports, platformBytesPerReport, std::ref(threads[0]));
    std::thread second(RunOnThread, std::cref(driver), reports, platformBytesPerReport, std::ref(threads[1]));
    first.join();
    second.join();
    bool passed = true;
    for (int i = 0; i < 2; ++i) {
        const ThreadRun& thread = threads[i];
        const std::string title = "thread " + std::to_string(i + 1) + " of 2, own apartment and server handle, " +
                                  Utf8(kSampleProgramId) + ", " + Utf8(thread.report.title);
        if (thread.run) passed &= PrintCycleRun(title, *thread.run);
        if (!thread.failure.empty()) {
            std::printf("\n%s\n  failed: %s\n", title.c_str(), thread.failure.c_str());
            passed = false;
        }
    }
    return passed;
}
