#pragma once
// An interface pointer that owns one reference: the only place where the driver adds and
// releases references.

#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <type_traits>
#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Shares the object: takes a reference of its own.
    explicit ComPtr(T* object) noexcept : object_(object) { AddRefObject(); }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.object_) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(const ComPtr<U>& other) noexcept : ComPtr(other.Get()) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(ComPtr<U>&& other) noexcept : object_(other.Detach()) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(ComPtr other) noexcept {
        Swap(other);
        return *this;
    }

    T* Get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    // Takes over a reference that the caller owns, releasing the one held so far.
    void Attach(T* object) noexcept {
        Reset();
        object_ = object;
    }
    // Hands the reference to the caller, who must release it.
    T* Detach() noexcept { return std::exchange(object_, nullptr); }

    void Reset() noexcept {
        if (T* old = std::exchange(object_, nullptr)) old->Release();
    }

    // For out-parameters: the old object is released first, so that reusing a pointer leaks nothing.
    T** ReleaseAndGetAddressOf() noexcept {
        Reset();
        return &object_;
    }

    template <class U>
    HRESULT As(ComPtr<U>& target) const noexcept {
        return As(__uuidof(U), target);
    }
    // For interfaces whose IID the compiler does not know.
    template <class U>
    HRESULT As(REFIID iid, ComPtr<U>& target) const noexcept {
        if (!object_) {
            target.Reset();
            return E_POINTER;
        }
        return object_->QueryInterface(iid, reinterpret_cast<void**>(target.ReleaseAndGetAddressOf()));
    }

    void Swap(ComPtr& other) noexcept { std::swap(object_, other.object_); }

private:
    void AddRefObject() const noexcept {
        if (object_) object_->AddRef();
    }

    T* object_ = nullptr;
};
