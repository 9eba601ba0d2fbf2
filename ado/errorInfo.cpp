#include "ado/errorInfo.h"

#include <cstdlib>
#include <new>

#include "common/duplicateText.h"

void AddErrorInfo(DbErrorInfo** head, uint32_t code, const wchar_t* text) {
    wchar_t* copy = DuplicateText(text);
    auto* record = static_cast<DbErrorInfo*>(std::malloc(sizeof(DbErrorInfo)));
    if (!record) {
        FreeText(copy);
        throw std::bad_alloc();
    }
    *record = DbErrorInfo{*head, code, copy, 0};
    *head = record;
}

// A loop rather than recursion: the engine may collect long chains.
void FreeErrorInfoChain(DbErrorInfo* first) {
    while (first) {
        DbErrorInfo* next = first->next;
        FreeText(first->text);
        std::free(first);
        first = next;
    }
}
