#include "resourceSampler.h"

#include <algorithm>
#include <cstdio>

#include "handleCount.h"
#include "workingSet.h"

ResourceSampler::ResourceSampler(int cycles, double platformBytesPerCycle)
    : interval_(std::max(1, cycles / 20)), warmUp_(2 * interval_), platformBytesPerCycle_(platformBytesPerCycle) {
    Take(0);
}

void ResourceSampler::CycleDone(int done) {
    if (done % interval_ == 0) Take(done);
}

void ResourceSampler::Take(int cycle) { samples_.push_back({cycle, WorkingSetMiB(), HandleCount()}); }

const ResourceSampler::Sample& ResourceSampler::WarmedUp() const {
    for (const Sample& sample : samples_)
        if (sample.cycle >= warmUp_) return sample;
    return samples_.back();
}

void ResourceSampler::Print() const {
    std::printf("  %8s  %15s  %7s\n", "cycle", "working set MiB", "handles");
    for (const Sample& sample : samples_)
        std::printf("  %8d  %15.2f  %7u\n", sample.cycle, sample.workingSetMiB, sample.handles);
    const Sample &start = samples_.front(), &warm = WarmedUp(), &end = samples_.back();
    std::printf("  start %.2f MiB %u handles; after warm-up (cycle %d) %.2f MiB %u handles; end (cycle %d) "
                "%.2f MiB %u handles\n",
                start.workingSetMiB, start.handles, warm.cycle, warm.workingSetMiB, warm.handles, end.cycle,
                end.workingSetMiB, end.handles);
}

bool ResourceSampler::GrowthWithinBounds() const {
    const Sample& warm = WarmedUp();
    double workingSetExcess = 0;
    int64_t handleGrowth = 0;
    for (const Sample& sample : samples_) {
        if (sample.cycle <= warm.cycle) continue;
        const double platform = platformBytesPerCycle_ * (sample.cycle - warm.cycle) / (1024 * 1024);
        workingSetExcess = std::max(workingSetExcess, sample.workingSetMiB - warm.workingSetMiB - platform);
        handleGrowth = std::max<int64_t>(handleGrowth, int64_t(sample.handles) - warm.handles);
    }
    const bool within = workingSetExcess <= kWorkingSetExcessBoundMiB && handleGrowth <= kHandleGrowthBound;
    std::printf("  growth after warm-up: working set +%.2f MiB beyond the platform's %.0f bytes a cycle (bound "
                "%.0f MiB), handles +%lld (bound %lld): %s\n",
                workingSetExcess, platformBytesPerCycle_, kWorkingSetExcessBoundMiB,
                static_cast<long long>(handleGrowth), static_cast<long long>(kHandleGrowthBound),
                within ? "within bounds" : "TOO MUCH");
    return within;
}
