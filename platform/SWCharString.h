#pragma once
// The runtime library's wide string: UTF-16 text with value semantics.

#include <cstddef>
#include <string>

namespace PVLib500 {

class SWCharString {
public:
    SWCharString() = default;
    SWCharString(const wchar_t* text);  // null gives the empty string
    SWCharString(const wchar_t* text, size_t count);
    explicit SWCharString(std::wstring text) : text_(std::move(text)) {}

    SWCharString& operator=(const wchar_t* text);
    SWCharString& operator+=(const SWCharString& other);
    SWCharString& operator+=(const wchar_t* text);
    SWCharString& operator+=(wchar_t ch);

    void copyFrom(const wchar_t* text);
    void swap(SWCharString& other) noexcept { text_.swap(other.text_); }
    bool fromMBCS(const char* text);  // system code page; false when it cannot be converted

    // Without a buffer: the length. Otherwise copies at most capacity - 1 characters and a
    // terminator and returns the number copied.
    size_t toWChar(wchar_t* buffer, size_t capacity) const;

    int compareFast(const SWCharString& other) const;    // exact, ordinal
    int compareNoCase(const SWCharString& other) const;  // ordinal, ignoring letter case
    bool operator==(const SWCharString& other) const { return text_ == other.text_; }
    bool operator!=(const SWCharString& other) const { return text_ != other.text_; }
    bool operator<(const SWCharString& other) const { return compareFast(other) < 0; }

    // Position of the first occurrence, or -1.
    ptrdiff_t findFirst(wchar_t ch) const;
    SWCharString left(size_t count) const;
    SWCharString mid(size_t start, size_t count = std::wstring::npos) const;
    void trimLeft();
    void trimRight();
    void trim() { trimRight(); trimLeft(); }

    size_t length() const { return text_.size(); }
    bool isEmpty() const { return text_.empty(); }
    const wchar_t* c_str() const { return text_.c_str(); }
    operator const wchar_t*() const { return text_.c_str(); }
    wchar_t operator[](size_t index) const { return text_[index]; }

private:
    std::wstring text_;
};

inline SWCharString operator+(SWCharString left, const SWCharString& right) { return left += right; }
inline SWCharString operator+(SWCharString left, const wchar_t* right) { return left += right; }

}  // namespace PVLib500

using PVLib500::SWCharString;
