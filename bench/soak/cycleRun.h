#pragma once
// The cycles of one part of the soak, timed, with the process's resources sampled along the
// way. A cycle throws when it fails; the run stops there. Running and printing are apart so
// that threads can run at the same time and print one after the other.

#include <functional>
#include <string>

#include "resourceSampler.h"

struct CycleRun {
    int cycles;
    int done = 0;
    double seconds = 0;
    std::string failure;
    ResourceSampler sampler;
};

// platformBytesPerCycle: the working set the platform itself keeps a cycle (resourceSampler.h).
CycleRun RunCycles(int cycles, double platformBytesPerCycle, const std::function<void(int cycle)>& cycle);

// Prints what the run measured; true when every cycle succeeded and the growth after warm-up
// stayed within bounds.
bool PrintCycleRun(const std::string& title, const CycleRun& run);
