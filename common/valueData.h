#pragma once
// Routines for one datum of a value type: its size, copies and release. Data live on the process
// heap, except the bytes of a blobValue, which are a Windows global memory block.

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Bytes of a fixed-size datum; texts and invalid codes report an assertion and give 0.
uint32_t ValueSize(uint32_t valueType);

// False for texts and blobs; an invalid code reports an assertion and counts as fixed.
bool IsFixedSizeValue(uint32_t valueType);

// A new heap copy of one datum, or null (null data, invalid code). Throws std::bad_alloc.
void* DuplicateValueData(const void* data, uint32_t valueType);

// Copies one datum into the caller's buffer, which holds destinationSize bytes; a text is cut to fit.
void CopyValueData(const void* data, void* destination, size_t destinationSize, uint32_t valueType);

// Frees one datum (null does nothing); an invalid code reports an assertion and frees nothing.
void FreeValueData(void* data, uint32_t valueType);

// A new movable, zero-initialised, shareable block with the same bytes; null when that is not possible.
HGLOBAL DuplicateGlobalMemory(HGLOBAL source);
