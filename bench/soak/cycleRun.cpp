#include "cycleRun.h"

#include <chrono>
#include <cstdio>
#include <exception>

CycleRun RunCycles(int cycles, double platformBytesPerCycle, const std::function<void(int cycle)>& cycle) {
    const auto start = std::chrono::steady_clock::now();
    CycleRun run{cycles, 0, 0, {}, ResourceSampler(cycles, platformBytesPerCycle)};
    try {
        for (; run.done < cycles; ++run.done) {
            cycle(run.done);
            run.sampler.CycleDone(run.done + 1);
        }
    } catch (const std::exception& error) {
        run.failure = "cycle " + std::to_string(run.done + 1) + " failed: " + error.what();
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

bool PrintCycleRun(const std::string& title, const CycleRun& run) {
    std::printf("\n%s\n", title.c_str());
    run.sampler.Print();
    std::printf("  %d of %d cycles in %.1f s\n", run.done, run.cycles, run.seconds);
    if (!run.failure.empty()) std::printf("  %s\n", run.failure.c_str());
    const bool withinBounds = run.sampler.GrowthWithinBounds();
    return run.failure.empty() && withinBounds;
}
