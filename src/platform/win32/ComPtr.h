#pragma once
// Owners for COM: an interface pointer released once, and the library
// initialised for one scope.
#include <objbase.h>

#include <cassert>
#include <utility>

namespace win {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) Reset(), p_ = std::exchange(other.p_, nullptr);
        return *this;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // For out-parameters; the pointer must be empty, so nothing leaks.
    T** operator&() {
        assert(!p_);
        return &p_;
    }
    void** Out() { return reinterpret_cast<void**>(operator&()); }

private:
    T* p_ = nullptr;
};

// COM for the life of the object, undone only when this call started it.
class ComScope {
public:
    ComScope() : hr_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

} // namespace win
