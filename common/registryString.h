#pragma once
// Reads a text value from the registry into a caller's buffer.

#include <windows.h>

#include <cstddef>

// Copies the value with its terminator and gives true when it is a non-empty text that fits
// the buffer (length + 1 <= bufferSize characters); otherwise gives false and leaves the buffer
// alone.
bool ReadRegistryString(HKEY root, const wchar_t* keyPath, const wchar_t* valueName, wchar_t* buffer,
                        size_t bufferSize);
