#pragma once
// The process's working set and handle count, sampled at the start of a soak run and every
// twentieth of its cycles, and the growth allowed once the warm-up (the first tenth) is over:
// the platform's own growth a cycle, measured without the driver, and beyond it 1 MiB of
// working set and 8 handles. Over 9,000 cycles after warm-up a leak of about 120 bytes or of
// one handle in a thousand cycles passes these bounds; below them lie the allocator's and
// Wine's own ups and downs.

#include <cstdint>
#include <vector>

constexpr double kWorkingSetExcessBoundMiB = 1.0;
constexpr int64_t kHandleGrowthBound = 8;

class ResourceSampler {
public:
    // Takes the first sample, at cycle 0. platformBytesPerCycle is the growth allowed a cycle
    // for what the platform keeps itself.
    ResourceSampler(int cycles, double platformBytesPerCycle);

    // Called with the number of cycles done; samples every interval.
    void CycleDone(int done);

    // Prints the samples as a table and the figures at start, after warm-up and at the end.
    void Print() const;
    // Prints the growth after warm-up against the bounds; false when either grew more.
    bool GrowthWithinBounds() const;

private:
    struct Sample {
        int cycle;
        double workingSetMiB;
        uint32_t handles;
    };
    void Take(int cycle);
    const Sample& WarmedUp() const;

    int interval_;
    int warmUp_;
    double platformBytesPerCycle_;
    std::vector<Sample> samples_;
};
