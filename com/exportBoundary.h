#pragma once
// No exception may cross an export: each runs its work through this boundary.

#include <cstdint>
#include <new>

#include "com/resultCodes.h"

template <class Work>
int32_t RunExport(Work&& work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return DbOutOfMemory;
    } catch (...) {
        return DbFailed;
    }
}
