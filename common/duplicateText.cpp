#include "common/duplicateText.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

wchar_t* DuplicateText(const wchar_t* text) {
    if (!text) return nullptr;
    size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    auto* copy = static_cast<wchar_t*>(std::malloc(bytes));
    if (!copy) throw std::bad_alloc();
    std::memcpy(copy, text, bytes);
    return copy;
}

void FreeText(wchar_t* text) { std::free(text); }
