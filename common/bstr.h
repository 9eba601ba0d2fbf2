#pragma once
// An owning BSTR: freed with SysFreeString when it goes, released before reuse as an out-parameter.

#include <windows.h>
#include <oleauto.h>

#include <utility>

#include "common/comError.h"

class Bstr {
public:
    Bstr() noexcept = default;
    // A copy of text; null stays null. A failed allocation raises E_OUTOFMEMORY.
    explicit Bstr(const wchar_t* text) : text_(Allocate(text)) {}
    Bstr(const Bstr& other) : text_(other.text_ ? AllocateLength(other.text_, other.Length()) : nullptr) {}
    Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    ~Bstr() { Reset(); }

    Bstr& operator=(Bstr other) noexcept {
        std::swap(text_, other.text_);
        return *this;
    }

    BSTR Get() const noexcept { return text_; }
    // The text, or an empty text for a null BSTR (which COM treats as empty).
    const wchar_t* Text() const noexcept { return text_ ? text_ : L""; }
    UINT Length() const noexcept { return SysStringLen(text_); }
    bool IsEmpty() const noexcept { return Length() == 0; }

    void Attach(BSTR text) noexcept {
        Reset();
        text_ = text;
    }
    BSTR Detach() noexcept { return std::exchange(text_, nullptr); }
    void Reset() noexcept { SysFreeString(std::exchange(text_, nullptr)); }

    // For out-parameters: the old text is freed first.
    BSTR* ReleaseAndGetAddressOf() noexcept {
        Reset();
        return &text_;
    }

private:
    static BSTR Allocate(const wchar_t* text) {
        if (!text) return nullptr;
        BSTR copy = SysAllocString(text);
        if (!copy) RaiseOutOfMemory();
        return copy;
    }
    static BSTR AllocateLength(const wchar_t* text, UINT length) {
        BSTR copy = SysAllocStringLen(text, length);
        if (!copy) RaiseOutOfMemory();
        return copy;
    }

    BSTR text_ = nullptr;
};
