#pragma once
// Texts handed to the engine are heap copies that it gives back through DbFreeString.

// A heap copy including the terminator; null gives null. Throws std::bad_alloc.
wchar_t* DuplicateText(const wchar_t* text);
void FreeText(wchar_t* text);
