#pragma once
// The engine's error list as tests read it.

#include <cstddef>
#include <string>
#include <utility>

#include "ado/errorInfo.h"

inline size_t CountRecords(const DbErrorInfo* errors) {
    size_t count = 0;
    for (; errors; errors = errors->next) ++count;
    return count;
}

// The records' texts, most recent first, for failure messages.
inline std::wstring RecordTexts(const DbErrorInfo* errors) {
    std::wstring texts;
    for (; errors; errors = errors->next) texts += std::wstring(errors->text ? errors->text : L"") + L"; ";
    return texts;
}

// The engine's list, freed with its owner.
struct ErrorList {
    DbErrorInfo* head = nullptr;
    ~ErrorList() { FreeErrorInfoChain(head); }
    size_t Count() const { return CountRecords(head); }
    void Clear() { FreeErrorInfoChain(std::exchange(head, nullptr)); }
};
