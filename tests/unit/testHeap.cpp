#include "testHeap.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Per thread, so that nothing outside the test's own call is made to fail.
thread_local int allocationsBeforeFailure = -1;
thread_local bool failureThrown = false;

void* Allocate(std::size_t size) {
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        failureThrown = true;
        throw std::bad_alloc();
    }
    if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void Free(void* block) noexcept {
    if (!block) return;
    std::memset(block, 0xDD, _msize(block));
    std::free(block);
}

}  // namespace

void FailAllocationAfter(int allocations) {
    allocationsBeforeFailure = allocations;
    failureThrown = false;
}

bool DisarmAllocationFailure() {
    allocationsBeforeFailure = -1;
    return failureThrown;
}

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }
