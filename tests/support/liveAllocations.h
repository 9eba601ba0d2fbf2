#pragma once
// Blocks still allocated, so that a leak of a few bytes shows: the C run-time heap's (records,
// arrays and texts that cross the engine boundary; counted through the linker's --wrap of
// malloc, calloc, realloc and free, which every test executable is linked with) and COM's task
// allocator's (BSTRs, counted by a malloc spy with the automation string cache switched off).
//
//     EXPECT_EQ(LeftAllocated([&] { ... a whole report ... }), LiveAllocations{});

#include <ostream>

struct LiveAllocations {
    long runtimeBlocks = 0;
    long taskBlocks = 0;
    bool operator==(const LiveAllocations& other) const {
        return runtimeBlocks == other.runtimeBlocks && taskBlocks == other.taskBlocks;
    }
};

inline std::ostream& operator<<(std::ostream& out, const LiveAllocations& live) {
    return out << live.runtimeBlocks << " run-time blocks, " << live.taskBlocks << " task blocks";
}

// Task blocks read -1 when the spy could not be installed.
LiveAllocations CountLiveAllocations();

// What the second of two runs of work left allocated: the first may fill the platform's caches
// (Wine's type libraries allocate once on the first look-up of a name, for instance).
template <class Work>
LiveAllocations LeftAllocated(Work&& work) {
    work();
    const LiveAllocations before = CountLiveAllocations();
    work();
    const LiveAllocations after = CountLiveAllocations();
    return {after.runtimeBlocks - before.runtimeBlocks, after.taskBlocks - before.taskBlocks};
}
