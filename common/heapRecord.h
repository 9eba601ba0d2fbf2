#pragma once
// Records handed to the engine live on the process heap (malloc/free), which the engine's
// releases through the DbFree... exports also use, so they are built in place in malloc'd memory.

#include <cstdlib>
#include <new>
#include <utility>

// Allocates and constructs; the memory is freed again when the constructor throws.
template <class Record, class... Arguments>
Record* NewRecord(Arguments&&... arguments) {
    void* memory = std::malloc(sizeof(Record));
    if (!memory) throw std::bad_alloc();
    try {
        return new (memory) Record(std::forward<Arguments>(arguments)...);
    } catch (...) {
        std::free(memory);
        throw;
    }
}

// Destroys and frees a record made by NewRecord; null does nothing.
template <class Record>
void DeleteRecord(Record* record) {
    if (!record) return;
    record->~Record();
    std::free(record);
}

// Zeroed heap memory; throws std::bad_alloc.
inline void* AllocateZeroed(size_t bytes) {
    void* memory = std::calloc(bytes ? bytes : 1, 1);
    if (!memory) throw std::bad_alloc();
    return memory;
}
