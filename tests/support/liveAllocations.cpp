#include "support/liveAllocations.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstddef>

// Exported by oleaut32, declared by no header of the toolchain.
extern "C" void WINAPI SetOaNoCache();

namespace {

std::atomic<long> runtimeBlocks{0};
std::atomic<long> taskBlocks{0};

class CountingSpy final : public IMallocSpy {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IMallocSpy ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    // Lives as long as the process.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override {
        if (block) ++taskBlocks;
        return block;
    }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL spied) override {
        if (block && spied) --taskBlocks;
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T size, void** newBlock, BOOL) override {
        *newBlock = block;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override { return block; }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int allocated) override { return allocated; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

CountingSpy spy;

// Installed when the executable loads, so that every block a test frees was counted when it was
// allocated.
const bool spyInstalled = [] {
    SetOaNoCache();
    return SUCCEEDED(CoRegisterMallocSpy(&spy));
}();

}  // namespace

LiveAllocations CountLiveAllocations() { return {runtimeBlocks.load(), spyInstalled ? taskBlocks.load() : -1}; }

extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void* __real_realloc(void* block, size_t size);
void __real_free(void* block);

void* __wrap_malloc(size_t size) {
    void* block = __real_malloc(size);
    if (block) ++runtimeBlocks;
    return block;
}

void* __wrap_calloc(size_t count, size_t size) {
    void* block = __real_calloc(count, size);
    if (block) ++runtimeBlocks;
    return block;
}

void* __wrap_realloc(void* block, size_t size) {
    void* moved = __real_realloc(block, size);
    if (!block && moved) ++runtimeBlocks;
    if (block && size == 0) --runtimeBlocks;
    return moved;
}

void __wrap_free(void* block) {
    if (block) --runtimeBlocks;
    __real_free(block);
}
}
