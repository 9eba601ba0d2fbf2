#include "platform/SWCharString.h"

#include <windows.h>

#include <cwctype>

namespace PVLib500 {

SWCharString::SWCharString(const wchar_t* text) {
    if (text) text_ = text;
}

SWCharString::SWCharString(const wchar_t* text, size_t count) {
    if (text) text_.assign(text, count);
}

SWCharString& SWCharString::operator=(const wchar_t* text) {
    copyFrom(text);
    return *this;
}

SWCharString& SWCharString::operator+=(const SWCharString& other) {
    text_ += other.text_;
    return *this;
}

SWCharString& SWCharString::operator+=(const wchar_t* text) {
    if (text) text_ += text;
    return *this;
}

SWCharString& SWCharString::operator+=(wchar_t ch) {
    text_ += ch;
    return *this;
}

void SWCharString::copyFrom(const wchar_t* text) {
    if (text) text_ = text;
    else text_.clear();
}

bool SWCharString::fromMBCS(const char* text) {
    text_.clear();
    if (!text || !*text) return true;
    int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (needed <= 0) return false;
    std::wstring converted(static_cast<size_t>(needed), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, converted.data(), needed) <= 0)
        return false;
    converted.resize(static_cast<size_t>(needed) - 1);
    text_ = std::move(converted);
    return true;
}

size_t SWCharString::toWChar(wchar_t* buffer, size_t capacity) const {
    if (!buffer) return text_.size();
    if (capacity == 0) return 0;
    size_t count = text_.size() < capacity - 1 ? text_.size() : capacity - 1;
    text_.copy(buffer, count);
    buffer[count] = L'\0';
    return count;
}

int SWCharString::compareFast(const SWCharString& other) const {
    int result = text_.compare(other.text_);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

int SWCharString::compareNoCase(const SWCharString& other) const {
    int result = CompareStringOrdinal(text_.c_str(), static_cast<int>(text_.size()), other.text_.c_str(),
                                      static_cast<int>(other.text_.size()), TRUE);
    return result - CSTR_EQUAL;
}

ptrdiff_t SWCharString::findFirst(wchar_t ch) const {
    size_t position = text_.find(ch);
    return position == std::wstring::npos ? -1 : static_cast<ptrdiff_t>(position);
}

SWCharString SWCharString::left(size_t count) const { return SWCharString(text_.substr(0, count)); }

SWCharString SWCharString::mid(size_t start, size_t count) const {
    if (start >= text_.size()) return SWCharString();
    return SWCharString(text_.substr(start, count));
}

void SWCharString::trimLeft() {
    size_t first = 0;
    while (first < text_.size() && iswspace(text_[first])) ++first;
    text_.erase(0, first);
}

void SWCharString::trimRight() {
    size_t end = text_.size();
    while (end > 0 && iswspace(text_[end - 1])) --end;
    text_.erase(end);
}

}  // namespace PVLib500
